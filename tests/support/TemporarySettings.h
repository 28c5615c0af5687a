#pragma once
// Keeps a suite's settings store in a temporary folder instead of the user's.
// Construct it before anything reads a setting (a member of the test object
// will do: QTEST_MAIN builds the application object first).
#include <QSettings>
#include <QTemporaryDir>

namespace OrvaTest {

class TemporarySettings
{
public:
    TemporarySettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }

    // Forgets every stored value.
    void clear()
    {
        QSettings settings;
        settings.clear();
        settings.sync();
    }

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace OrvaTest
