#include "RecentCases.h"

#include "RecentDocuments.h"

#include <QAction>
#include <QDebug>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace {

const QString Key = QStringLiteral("recent-cases");

} // namespace

RecentCases::RecentCases(QMenu *menu, std::shared_ptr<QSettings> settings, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
    , m_settings(std::move(settings))
{
    connect(m_menu, &QMenu::aboutToShow, this, &RecentCases::fillMenu);
    fillMenu();
}

QStringList RecentCases::files() const
{
    return m_settings->value(Key).toStringList().mid(0, MaxCount);
}

void RecentCases::store(const QStringList &files)
{
    m_settings->setValue(Key, files.mid(0, MaxCount));
    m_settings->sync();
    fillMenu();
}

void RecentCases::add(const QString &path)
{
    QStringList list = files();
    list.removeAll(path);
    list.prepend(path);
    store(list);
    QString reason;
    if (!Platform::addRecentDocument(path, &reason))
        qWarning().noquote() << "RecentCases: the desktop's recent files were not updated:" << reason;
}

void RecentCases::remove(const QString &path)
{
    QStringList list = files();
    list.removeAll(path);
    store(list);
}

void RecentCases::clear()
{
    store({});
}

void RecentCases::fillMenu()
{
    m_menu->clear();
    const QStringList list = files();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString path = list.at(i);
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *entry = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(entry, &QAction::triggered, this, [this, path] { emit openRequested(path); });
    }
    m_menu->addSeparator();
    QAction *clearList = m_menu->addAction(tr("&Clear List"));
    clearList->setObjectName(QStringLiteral("actionClear_Recent_Cases"));
    connect(clearList, &QAction::triggered, this, &RecentCases::clear);
}
