#include "remedies/windows/wait_cursor.h"

#include <QApplication>

namespace remedies {

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace remedies
