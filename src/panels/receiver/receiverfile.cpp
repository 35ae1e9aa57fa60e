#include "receiverfile.h"

#include "common/error.h"
#include "common/itemfile.h"

#include <cmath>

namespace krv::receiver {

namespace {

constexpr ItemKind T = ItemKind::Text;
constexpr ItemKind B = ItemKind::Boolean;
constexpr ItemKind I = ItemKind::Integer;

// The items both files share in order; `hr658` marks the ones only the HR658 file holds.
struct Row {
    const char* name;
    ItemKind kind;
    bool hr658Only;
};

constexpr Row rows[] = {
    {"Pref_RxLinkTimeout", I, false},
    {"StdCrystal", B, false},
    {"NonStdCrystal", B, false},
    {"Crystalfreq", T, false},
    {"Band315", B, false},
    {"Band433", B, false},
    {"Band868", B, false},
    {"Band915", B, false},
    {"ent", I, false},
    {"enb", I, false},
    {"enx", I, false},
    {"Cxtal", T, false},
    {"BasebandBW", I, false},
    {"disclk", I, false},
    {"FreqCenter", T, false},
    {"enrec", I, false},
    {"VDI", T, false},
    {"LNAgain", T, false},
    {"DRSSI", T, false},
    {"WKUPM", T, false},
    {"WKUPR", T, false},
    {"WKUPD", T, true},
    {"DUTY_USEM", T, false},
    {"DUTY", T, false},
    {"enlowdc", I, true},
    {"CB32kHz", I, true},
    {"CLKout", I, false},
    {"LBD", T, false},
    {"AFCauto", T, false},
    {"AFCres", T, false},
    {"afcst", I, false},
    {"afcfi", I, false},
    {"afcoen", I, false},
    {"afcen", I, false},
    {"DATARATEDIV", T, false},
    {"dataratepresc", I, false},
    {"ClkRecMode", T, false},
    {"FILTTYPE", T, false},
    {"StatefiltNr", T, true},
    {"cb_ewi", I, true},
    {"DFILTbit5", I, false},
    {"ITLEVEL", I, false},
    {"FIFOstrt", T, false},
    {"ffillen", I, false},
    {"fmodeen", I, false},
    {"Pref_Voltage", T, false},
    {"CB_exlp", I, true},
    {"CB_exr", I, true},
    {"CB_dcal", I, true},
    {"OB_512bit", B, true},
    {"OB_128bit", B, true},
    {"CB_PLLBW", T, true},
    {"TB_SP", T, true},
    {"Revision", T, false},
};

FileType makeType(Chip chip) {
    FileType type;
    const bool hr658 = chip == Chip::HR658;
    type.pattern = hr658 ? QStringLiteral("*.rc2") : QStringLiteral("*.rc");
    type.extension = hr658 ? QStringLiteral("rc2") : QStringLiteral("rc");
    type.filter = hr658 ? QStringLiteral("HR658 Receiver Configuration files (*.rc2)")
                        : QStringLiteral("Receiver Configuration files (*.rc)");
    type.filter += QStringLiteral(";;All files (*.*)");
    type.banner = hr658 ? QStringLiteral("# KRV HR658 configuration file. Version 2.2.2")
                        : QStringLiteral("# KRV Receiver configuration file. Version 2.0.0");
    type.saveTitle = hr658 ? QStringLiteral("Save HR658 Configuration File")
                           : QStringLiteral("Save HR651 Configuration File");
    for (const Row& row : rows) {
        if (row.hr658Only && !hr658)
            continue;
        type.items.append({QString::fromLatin1(row.name), row.kind});
    }
    return type;
}

} // namespace

const FileType& fileType(Chip chip) {
    static const FileType hr651 = makeType(Chip::HR651);
    static const FileType hr658 = makeType(Chip::HR658);
    return chip == Chip::HR658 ? hr658 : hr651;
}

QByteArray serialize(Chip chip, const ReceiverConfig& config) {
    const FileType& type = fileType(chip);
    ItemWriter writer;
    writer.text(type.banner);
    for (const ItemSpec& item : type.items) {
        switch (item.kind) {
        case ItemKind::Text:
            writer.text(config.text(item.name), item.name);
            break;
        case ItemKind::Boolean:
            writer.boolean(config.flag(item.name));
            break;
        case ItemKind::Integer:
            writer.number(config.number(item.name));
            break;
        }
    }
    return writer.bytes();
}

ReceiverConfig parse(Chip chip, const QByteArray& bytes) {
    const FileType& type = fileType(chip);
    ItemReader reader(bytes);
    if (reader.atEnd() || reader.peekKind() != ItemReader::Kind::Text ||
        reader.text() != type.banner)
        throw Error(errors::IncorrectVersion,
                    QStringLiteral("Incorrect configuration file version"));
    ReceiverConfig config;
    for (const ItemSpec& item : type.items) {
        switch (item.kind) {
        case ItemKind::Text:
            config.texts.insert(item.name, reader.text());
            break;
        case ItemKind::Boolean:
            config.flags.insert(item.name, reader.boolean());
            break;
        case ItemKind::Integer: {
            const double value = reader.number();
            if (!(std::abs(value) < 1e15) || value != std::trunc(value))
                throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
            config.numbers.insert(item.name, static_cast<long long>(value));
            break;
        }
        }
    }
    return config;
}

} // namespace krv::receiver
