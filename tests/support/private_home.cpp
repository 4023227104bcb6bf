#include "support/private_home.h"

#include <QDir>

PrivateHome::PrivateHome()
    : m_oldHome(qgetenv("HOME")), m_oldDataHome(qgetenv("XDG_DATA_HOME")),
      m_hadHome(qEnvironmentVariableIsSet("HOME")),
      m_hadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
    QDir().mkpath(path() + QStringLiteral("/.local/share"));
    qputenv("HOME", QFile::encodeName(path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(path() + QStringLiteral("/.local/share")));
}

PrivateHome::~PrivateHome() {
    if (m_hadHome)
        qputenv("HOME", m_oldHome);
    else
        qunsetenv("HOME");
    if (m_hadDataHome)
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    else
        qunsetenv("XDG_DATA_HOME");
}
