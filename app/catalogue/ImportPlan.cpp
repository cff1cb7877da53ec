#include "app/catalogue/ImportPlan.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationReader.h"
#include "core/ErrorWrapper.h"

#include <QLocale>

namespace orvik {

QString CategoryKey(const QString& name) {
    return name.simplified().toCaseFolded();
}

QStringList TImportPlan::NewCategories() const {
    QStringList names;
    for (const Target& t : Targets)
        if (t.Id == 0)
            names << t.Name;
    return names;
}

QStringList TImportPlan::Summary() const {
    const QLocale c = QLocale::c();
    QStringList lines;
    lines << QStringLiteral("Entries: %1").arg(Entries);
    lines << QStringLiteral("New: %1").arg(New);
    lines << QStringLiteral("Already in the catalogue: %1").arg(Duplicates);
    lines << QStringLiteral("Unreadable: %1").arg(Unreadable);
    lines << QStringLiteral("Refused addresses: %1").arg(Refused);
    const QStringList created = NewCategories();
    QString categories = QStringLiteral("New categories: %1").arg(created.size());
    if (!created.isEmpty()) {
        QStringList shown = created.mid(0, 8);
        if (created.size() > shown.size())
            shown << QStringLiteral("...");
        categories += QStringLiteral(" (") + shown.join(QStringLiteral(", ")) + u')';
    }
    lines << categories;
    if (Truncated)
        lines << QStringLiteral("The file holds more than %1 entries; the rest was not read.")
                     .arg(c.toString(kMaxPlaylistEntries));
    return lines;
}

TImportPlanner::TImportPlanner(TCatalogue& catalogue) : catalogue_(catalogue) {
    TQuery& query = catalogue_.qrySQL();
    query.Open(QStringLiteral("select c_id, c_name from categories order by c_name, c_id"));
    for (; !query.Eof(); query.Next()) {
        // A category whose id cannot be read exactly can receive no station.
        const std::optional<qint64> id = CatalogueId(query.Row().value(0));
        if (!id)
            continue;
        TImportPlan::Target t;
        t.Id = *id;
        t.Name = query.Row().value(1).toString();
        const QString key = CategoryKey(t.Name);
        if (!byKey_.contains(key))
            byKey_.insert(key, categories_.size());
        categories_.append(t);
    }
    query.Close();
}

QStringList TImportPlanner::CategoryNames() const {
    QStringList names;
    for (const auto& t : categories_)
        names << t.Name;
    return names;
}

const QSet<QString>& TImportPlanner::Addresses(qint64 categoryId) {
    auto it = addresses_.find(categoryId);
    if (it != addresses_.end())
        return *it;
    QSet<QString> set;
    TQuery& query = catalogue_.qrySQL();
    query.Open(QStringLiteral("select s_url from stations where c_id = %1").arg(categoryId));
    for (; !query.Eof(); query.Next())
        set.insert(query.Row().value(0).toString().trimmed());
    query.Close();
    return *addresses_.insert(categoryId, std::move(set));
}

TImportPlan TImportPlanner::Plan(const TPlaylist& playlist, const TImportChoice& choice) {
    TImportPlan plan;
    plan.Entries = playlist.Entries.size() + playlist.Unreadable + playlist.Refused;
    plan.Unreadable = playlist.Unreadable;
    plan.Refused = playlist.Refused;
    plan.Truncated = playlist.Truncated;

    QHash<QString, qsizetype> targetOf; // category key -> index in plan.Targets
    auto target = [&](const QString& name) -> qsizetype {
        const QString key = CategoryKey(name);
        auto it = targetOf.constFind(key);
        if (it != targetOf.constEnd())
            return *it;
        TImportPlan::Target t;
        const auto existing = byKey_.constFind(key);
        if (existing != byKey_.constEnd())
            t = categories_[*existing];
        else
            t.Name = name.simplified();
        plan.Targets.append(t);
        return *targetOf.insert(key, plan.Targets.size() - 1);
    };

    QSet<QString> groups;
    for (const TPlaylistEntry& e : playlist.Entries)
        if (!e.Group.trimmed().isEmpty())
            groups.insert(CategoryKey(e.Group));
    plan.Groups = groups.size();

    const bool needsCategory =
        !choice.ByGroup || std::any_of(playlist.Entries.begin(), playlist.Entries.end(),
                                       [](const auto& e) { return e.Group.trimmed().isEmpty(); });
    if (needsCategory && choice.Category.simplified().isEmpty())
        throw Error(QStringLiteral("Please name the category the stations go to."));

    // Addresses taken so far, per target: the catalogue's, then the file's own.
    QHash<qsizetype, QSet<QString>> added;
    for (qsizetype i = 0; i < playlist.Entries.size(); ++i) {
        const TPlaylistEntry& e = playlist.Entries[i];
        const QString name =
            choice.ByGroup && !e.Group.trimmed().isEmpty() ? e.Group : choice.Category;
        const qsizetype t = target(name);
        const qint64 id = plan.Targets[t].Id;
        QSet<QString>& mine = added[t];
        if (mine.contains(e.Url) || (id != 0 && Addresses(id).contains(e.Url))) {
            ++plan.Duplicates;
            continue;
        }
        mine.insert(e.Url);
        plan.Rows.append({i, t});
    }
    plan.New = plan.Rows.size();

    // A category that would receive nothing is not created.
    QList<bool> used(plan.Targets.size(), false);
    for (const auto& row : plan.Rows)
        used[row.Target] = true;
    QList<TImportPlan::Target> kept;
    QList<qsizetype> moved(plan.Targets.size(), -1);
    for (qsizetype t = 0; t < plan.Targets.size(); ++t) {
        if (used[t] || plan.Targets[t].Id != 0) {
            moved[t] = kept.size();
            kept.append(plan.Targets[t]);
        }
    }
    for (auto& row : plan.Rows)
        row.Target = moved[row.Target];
    plan.Targets = kept;
    return plan;
}

} // namespace orvik
