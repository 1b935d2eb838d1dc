// The one application object of the Qt smoke tests, made on first use and kept to the
// end of the process (Qt's input devices outlive a static application at exit).
#pragma once

#include <QApplication>

namespace varnel::qt {

inline void EnsureQtApp() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace varnel::qt
