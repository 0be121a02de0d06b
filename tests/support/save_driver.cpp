// Runs one save of the program in the current folder, for the fault-injection test, and tells the
// outcome by its exit status: 0 saved, 1 refused with a reason, 3 refused but the file may end in
// an incomplete line, 4 something else. It writes nothing else, so every write-side call it makes
// belongs to the save.
//   settings  the settings screen's OK (Kadelo.ini replaced whole)
//   strokes   a kanji registered on the dictionary screen (漢字.dat appended to)
//   readings  a reading registered on the dictionary screen (かな.dat appended to)
#include <string_view>

#include "dictionary/kana_dictionary.h"
#include "dictionary/stroke_dictionary.h"
#include "settings/settings_save.h"

using namespace kadelo;

namespace {

int outcome(const text::WriteResult& r)
{
    if (r.ok)
        return 0;
    if (r.error.empty())
        return 4;
    return r.incompleteLine ? 3 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view op = argc > 1 ? argv[1] : "";
    if (op == "settings") {
        SettingsChoice choice;
        choice.profile.familyName = U"山田";
        choice.profile.name = U"花子";
        choice.profile.year = U"1975";
        choice.profile.month = U"3";
        choice.profile.day = U"15";
        choice.mouse = 1;
        choice.colours = SettingsFile::defaultColours();
        const SaveOutcome saved = saveSettings(SettingsFile(text::settingsFileName()), DateConversionTable(), choice, 0);
        if (saved.status == SaveOutcome::Status::Saved)
            return 0;
        return saved.status == SaveOutcome::Status::WriteFailed && !saved.error.empty() ? 1 : 4;
    }
    if (op == "strokes")
        return outcome(StrokeDictionary().append(U"淲", 11));
    if (op == "readings") {
        const KanaRegistration r = KanaDictionary().registerReadings(U"山", {U"やま", U"さん", U"", U""});
        return r.kanjiFound ? outcome(r.written) : 4;
    }
    return 4;
}
