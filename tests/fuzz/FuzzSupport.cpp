#include "FuzzSupport.h"

#include "skin/bsSkinData.h"
#include "skin/bsSkinDataRecords.h"

#include "framework/IniFiles.h"
#include "framework/Strings.h"

#include <QCoreApplication>
#include <memory>
#include <typeinfo>

namespace Fuzz {

void InitQt(int* argc, char*** argv) {
    // Never destroyed: libFuzzer ends the process with exit(), after Qt's own globals may
    // already be gone.
    static QCoreApplication* app = new QCoreApplication(*argc, *argv);
    (void)app;
}

namespace {

const char* const ObjectKinds[] = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                   "button",   "caption",         "animate",   "userobject"};
const char* const ControlKinds[] = {
    "panel",    "expanel",     "menubutton", "button",   "checkradio", "gauge",
    "splitter", "trackbar",    "label",      "stdlabel", "updown",     "grid",
    "tab",      "mainmenubar", "controlbar", "memo",     "edit",       "checklistbox",
    "listbox",  "combobox",    "scrollbar",  "spinedit", "scrollbox",  "treeview",
    "bevel",    "slider",      "listview",   "richedit"};

const QString Section = QStringLiteral("r");

QStringList Saved(TbsSkinRecord& record) {
    const QString name = record.IDName;
    record.IDName = Section;
    TMemIniFile ini;
    record.SaveToIni(ini);
    record.IDName = name;
    TStringList values;
    ini.ReadSectionValues(Section, values);
    return values.ToStringList();
}

// A value the ini reader would strip quotes from when read again.
bool Quoted(const QString& line) {
    const QString value = line.section(QLatin1Char('='), 1);
    return value.size() >= 2 &&
           (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
           value.back() == value.front();
}

template <class Record, class Create, size_t N>
void RoundTrip(Record& record, Create create, const char* const (&kinds)[N]) {
    std::unique_ptr<Record> fresh;
    for (const char* kind : kinds) {
        auto candidate = create(QLatin1String(kind), Section);
        if (typeid(*candidate) == typeid(record)) {
            fresh = std::move(candidate);
            break;
        }
    }
    if (!fresh)
        Fail(QStringLiteral("record %1 has a class without a kind").arg(record.IDName));
    const QStringList first = Saved(record);
    TMemIniFile ini;
    for (const QString& line : first)
        ini.WriteString(Section, line.section(QLatin1Char('='), 0, 0),
                        line.section(QLatin1Char('='), 1));
    fresh->LoadFromIni(ini);
    const QStringList second = Saved(*fresh);
    if (first.size() != second.size())
        Fail(QStringLiteral("record %1 saves %2 keys, reads back %3")
                 .arg(record.IDName)
                 .arg(first.size())
                 .arg(second.size()));
    for (qsizetype i = 0; i < first.size(); ++i) {
        if (first[i] != second[i] && !Quoted(first[i]))
            Fail(QStringLiteral("record %1 saves \"%2\" and reads back \"%3\"")
                     .arg(record.IDName, first[i], second[i]));
    }
}

} // namespace

void CheckRecordsRoundTrip(TbsSkinData& skin) {
    for (auto& record : skin.SkinObjects)
        RoundTrip(*record, CreateSkinObjectRecord, ObjectKinds);
    for (auto& record : skin.SkinControls)
        RoundTrip(*record, CreateSkinControlRecord, ControlKinds);
}

} // namespace Fuzz
