// A window's control by its object name, as tests reach the controls of a window.
#pragma once

#include "common/resources.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

// Thrown after the failure is recorded, so that the test stops at a control that is not there.
class ControlNotFound : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The one object below root named objectName, of type T. The test fails, naming the
// control, when there is none, when two share the name, or when it is of another type.
template <class T> T& Control(const QObject& root, const char* objectName) {
    const QList<QObject*> named = root.findChildren<QObject*>(QString::fromLatin1(objectName));
    std::string problem;
    if (named.isEmpty()) {
        problem = "no control named ";
    } else if (named.size() > 1) {
        problem = "more than one control named ";
    } else if (T* control = dynamic_cast<T*>(named.first())) {
        return *control;
    } else {
        problem = std::string("a ") + named.first()->metaObject()->className() +
                  " of another type than expected is named ";
    }
    ADD_FAILURE() << problem << objectName;
    throw ControlNotFound(problem + objectName);
}

// The glyph the program's resources hold under name, to compare a button's drawing with.
inline QImage ResourceGlyph(const char* name) {
    QImage glyph;
    LoadResBitmap(glyph, QString::fromLatin1(name));
    return glyph;
}
