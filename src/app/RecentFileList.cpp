#include "app/RecentFileList.h"

#include <QSettings>

namespace halvex {
namespace {

const char* const kSection = "Recent File List";
const QLatin1String kEllipsis("...");

}  // namespace

void RecentFileList::Load(QSettings& settings) {
    paths_.clear();
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !paths_.contains(path)) paths_.push_back(path);
    }
    settings.endGroup();
}

void RecentFileList::Save(QSettings& settings) const {
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= paths_.size()) {
            settings.setValue(key, paths_[i - 1]);
        } else {
            settings.remove(key);
        }
    }
    settings.endGroup();
}

void RecentFileList::Add(const QString& path) {
    if (path.isEmpty()) return;
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > kMaxEntries) paths_.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < paths_.size()) paths_.removeAt(index);
}

QStringList RecentFileList::MenuTexts() const {
    QStringList texts;
    for (qsizetype i = 0; i < paths_.size(); ++i) {
        QString shown = ShortenPath(paths_[i], kMaxDisplayLength);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        texts.push_back(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    }
    return texts;
}

QString ShortenPath(const QString& path, int maxLength) {
    if (path.size() <= maxLength) return path;
    QStringList parts = path.split(QLatin1Char('/'));
    const QString name = parts.takeLast();
    if (name.size() + kEllipsis.size() + 1 > maxLength) {
        if (name.size() <= maxLength) return name;
        return name.left(std::max(0, maxLength - static_cast<int>(kEllipsis.size()))) + kEllipsis;
    }
    // "/first/.../tail" keeps the start of the path and as much of its end as fits.
    const QString head = parts.size() >= 2 ? parts[0] + QLatin1Char('/') + parts[1] : QString();
    QString tail = name;
    for (qsizetype i = parts.size() - 1; i >= 2; --i) {
        const QString longer = parts[i] + QLatin1Char('/') + tail;
        if (head.size() + 1 + kEllipsis.size() + 1 + longer.size() > maxLength) break;
        tail = longer;
    }
    const QString withHead = head + QLatin1Char('/') + kEllipsis + QLatin1Char('/') + tail;
    if (!head.isEmpty() && withHead.size() <= maxLength) return withHead;
    return kEllipsis + QLatin1Char('/') + name;
}

}  // namespace halvex
