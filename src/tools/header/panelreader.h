#pragma once

#include <QString>

class QWidget;

namespace krv::header {

// Reads the controls of a chip panel by their names, as they stand: it never loads, changes or
// re-runs anything on the panel. A name the panel does not have reads as an empty text and as
// not selected.
class PanelReader {
public:
    explicit PanelReader(const QWidget* panel) : panel_(panel) {}

    // The window caption.
    QString caption() const;
    // What the control shows: a text box's text, a label's caption, a list's selected entry or,
    // with none selected, the text the list shows in its place.
    QString text(const QString& name) const;
    // A check box that is checked (its grey state is not), or an option button that is selected.
    bool isOn(const QString& name) const;
    // A check box that is clear (neither checked nor grey).
    bool isClear(const QString& name) const;

private:
    const QWidget* panel_;
};

} // namespace krv::header
