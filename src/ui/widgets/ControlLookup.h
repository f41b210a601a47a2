#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>

// Controls carry their numeric id twice: as the object name "button<id>", by which tests
// find them, and as the property "controlId", by which their window looks them up.
inline void TagControl(QWidget* control, int id) {
    control->setObjectName(QStringLiteral("button%1").arg(id));
    control->setProperty("controlId", id);
}

// The control of a window's list that carries id; null when none does.
template <typename Control> Control* FindControl(const QList<Control*>& controls, int id) {
    for (Control* control : controls)
        if (control->property("controlId").toInt() == id)
            return control;
    return nullptr;
}
