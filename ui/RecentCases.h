#pragma once

// RecentCases: File > Recent Cases, the last cases opened or saved (newest
// first, at most eight) kept in the settings store, each with its number as
// mnemonic, and Clear List. The desktop's recent-files list hears of each too.

#include <QObject>
#include <QStringList>

#include <memory>

class QMenu;
class QSettings;

class RecentCases : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxCount = 8;

    RecentCases(QMenu *menu, std::shared_ptr<QSettings> settings, QObject *parent = nullptr);

    QStringList files() const;
    // To the top of the list.
    void add(const QString &path);
    void remove(const QString &path);
    void clear();

signals:
    void openRequested(const QString &path);

private:
    void store(const QStringList &files);
    void fillMenu();

    QMenu *m_menu;
    std::shared_ptr<QSettings> m_settings;
};
