#include "platform/gui/field_state.h"

#include <QLineEdit>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace gui {

QString FieldStateName(FieldState state) {
    switch (state) {
        case FieldState::Valid: return "valid";
        case FieldState::Rejected: return "rejected";
        case FieldState::Computed: return "computed";
    }
    return "valid";
}

void SetFieldState(QWidget* field, FieldState state) {
    QPalette pal = field->palette();
    switch (state) {
        case FieldState::Valid:
            pal.setColor(QPalette::Base, QColor(0, 255, 255));  // aqua
            pal.setColor(QPalette::Text, Qt::black);
            break;
        case FieldState::Rejected:
            pal.setColor(QPalette::Base, QColor(255, 0, 0));  // red
            pal.setColor(QPalette::Text, Qt::black);
            if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->clear();
            break;
        case FieldState::Computed:
            pal.setColor(QPalette::Base, QColor(0, 128, 128));  // teal
            pal.setColor(QPalette::Text, Qt::white);
            break;
    }
    field->setAutoFillBackground(true);
    field->setPalette(pal);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->setReadOnly(state == FieldState::Computed);
    field->setProperty("fieldState", FieldStateName(state));
}

FieldState GetFieldState(const QWidget* field) {
    QString s = field->property("fieldState").toString();
    if (s == "rejected") return FieldState::Rejected;
    if (s == "computed") return FieldState::Computed;
    return FieldState::Valid;
}

void ClearRejectionOnEdit(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString&) {
        if (GetFieldState(edit) == FieldState::Rejected) SetFieldState(edit, FieldState::Valid);
    });
}

}  // namespace gui
