// The bands command: the band numbers that new --band takes, with their
// captions and limits.
#include "cli/Commands.h"
#include "cli/ShowPlan.h"
#include "core/MemoryImage.h"
#include "core/MessageText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

using cps::translated;

int bandsCommand(const Args &args, Console &console) {
    const auto &rows = cps::bandTable();
    if (args.has("--json")) {
        QJsonArray list;
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            const auto &row = rows[static_cast<std::size_t>(i)];
            list.append(QJsonObject{{"band", i},
                                    {"caption", row.caption},
                                    {"low", QString::fromStdString(mhzText(row.low))},
                                    {"high", QString::fromStdString(mhzText(row.high))},
                                    {"default", i == cps::kDefaultBand}});
        }
        console.out << QJsonDocument(list).toJson(QJsonDocument::Compact).toStdString() << '\n';
        return kExitOk;
    }
    console.out << translated("Bands", "BAND\tRANGE") << '\n';
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        console.out << i << '\t' << rows[static_cast<std::size_t>(i)].caption
                    << (i == cps::kDefaultBand ? "\t" + translated("Bands", "(default)") : "")
                    << '\n';
    return kExitOk;
}

} // namespace cli
