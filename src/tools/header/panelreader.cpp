#include "panelreader.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace krv::header {

QString PanelReader::caption() const {
    return panel_->windowTitle();
}

QString PanelReader::text(const QString& name) const {
    const QWidget* control = panel_->findChild<QWidget*>(name);
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* list = qobject_cast<const QComboBox*>(control)) {
        if (list->currentIndex() < 0 && !list->isEditable())
            return list->placeholderText();
        return list->currentText();
    }
    return {};
}

bool PanelReader::isOn(const QString& name) const {
    const QWidget* control = panel_->findChild<QWidget*>(name);
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return box->checkState() == Qt::Checked;
    if (const auto* option = qobject_cast<const QAbstractButton*>(control))
        return option->isChecked();
    return false;
}

bool PanelReader::isClear(const QString& name) const {
    const auto* box = panel_->findChild<QCheckBox*>(name);
    return box && box->checkState() == Qt::Unchecked;
}

} // namespace krv::header
