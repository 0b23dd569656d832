#pragma once
// The item data roles every grid model of the program answers beyond Qt's
// own, and the border bits of BordersRole. One header, so a delegate reads
// what any model means.

#include <Qt>

#include "core/design/result_tables.h"

namespace tarnwick {

enum GridRole {
    PictureRole = Qt::UserRole + 1,  // int: picture number, 0 for none
    BordersRole,                     // int: the BorderBits below
};
enum BorderBits { BorderTop = 1, BorderBottom = 2, BorderLeft = 4, BorderRight = 8 };

inline int borderBits(const CellBorders& b) {
    return (b.top ? BorderTop : 0) | (b.bottom ? BorderBottom : 0) | (b.left ? BorderLeft : 0) |
           (b.right ? BorderRight : 0);
}

}  // namespace tarnwick
