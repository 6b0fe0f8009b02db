// What assistive technology sees of a grid: a table of a header row and the
// model's rows, each cell named by its accessible text (else its text),
// described by its accessible description, and, where the model gives a
// check state to a cell the user can check, a check box: checkable, and
// checked or not. The toolkit's own table leaves out "checkable", so that
// an unchecked check box looks like an empty cell.
#pragma once

class QAbstractItemView;
class QAccessibleInterface;

// The accessible interface of View, a view of a flat table model (rows
// without children).
QAccessibleInterface* GridAccessible(QAbstractItemView* View);
