// A private home folder for the lifetime of the object: HOME and XDG_DATA_HOME (where the
// desktop trash lives) point into a temporary folder, so that nothing a test does reaches
// the real home or trash. The old values come back at the end.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class PrivateHome {
  public:
    PrivateHome();
    ~PrivateHome();
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

    // The home folder, without a trailing separator.
    QString path() const { return m_dir.path() + QStringLiteral("/home"); }
    // The files and the information files of the home trash.
    QString trashFiles() const { return path() + QStringLiteral("/.local/share/Trash/files/"); }
    QString trashInfo() const { return path() + QStringLiteral("/.local/share/Trash/info/"); }

  private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome, m_oldDataHome;
    bool m_hadHome, m_hadDataHome;
};
