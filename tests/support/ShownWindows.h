#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace tarvo::test {

// The window of a form the test has opened, as the user sees it on the screen; a form opened
// modal to another window is that window's child.
inline QWidget *shownWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    for (QWidget *w : QApplication::allWidgets())
        if (w->objectName() == name && w->isVisible() && w->isWindow())
            return w;
    return nullptr;
}

// A control of a shown window; a missing one fails the test.
template <class T> T *in(QWidget *window, const QString &name)
{
    T *found = window ? window->findChild<T *>(name) : nullptr;
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

template <class T> T *in(QWidget *window, const char *name)
{
    return in<T>(window, QString::fromLatin1(name));
}

} // namespace tarvo::test
