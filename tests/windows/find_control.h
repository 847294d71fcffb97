#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QWidget>

#include "windows/toolkit/window.h"

// A window's control by its name, as a user finds it by what they see. The loading window lies
// inside the main one and repeats some of its names: only the window's own controls count,
// not those of a window within it.
template <typename T> T* Find(const QObject* window, const char* name) {
    const auto ownerOf = [](const QObject* object) {
        for (const QObject* p = object->parent(); p; p = p->parent())
            if (p->isWidgetType() && toolkit::IsWindow(static_cast<const QWidget*>(p))) return p;
        return static_cast<const QObject*>(nullptr);
    };
    for (T* control : window->findChildren<T*>(QString::fromLatin1(name)))
        if (ownerOf(control) == window) return control;
    qFatal("%s has no control %s", qPrintable(window->objectName()), name);
}
