#pragma once

#include <QToolBar>

namespace krv {

// Empty room on the main window's toolbar row. Qt lines the toolbars of a row up one after the
// other; a room between two of them places the next one where the window wants it. It takes
// the width it is given while the row has that much, and gives it up when the window narrows.
class ToolbarRoom : public QToolBar {
    Q_OBJECT
public:
    ToolbarRoom(const QString& name, QWidget* parent);

    void setRoom(int pixels);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    int room_ = 0;
};

} // namespace krv
