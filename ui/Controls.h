// Builds a control and gives it its design name, so that every window's controls can be found by
// the names the design gives them (findChild<QWidget*>("LB1")). Used by every window.
#pragma once

#include <QLatin1String>
#include <QObject>

#include <utility>

template <class T> T* Named(T* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

// new T(args...) named name.
template <class T, class... Args> T* Make(const char* name, Args&&... args)
{
    return Named(new T(std::forward<Args>(args)...), name);
}
