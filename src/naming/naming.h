#pragma once
// The naming assistant's logic: each kana box resolved into its kanji slots, the surname's stroke
// counts, the possible count, the generation of (graded) candidate names, the page of ten entries,
// and the candidate file. Plain C++: the naming screen calls these from its event handlers.
#include <array>
#include <compare>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/kana_dictionary.h"
#include "dictionary/stroke_lookup.h"
#include "judgement/marks.h"

namespace kadelo::naming {

constexpr int kSlotCount = 31;                // slots of one kana box, 0..30
constexpr int kMaxKanji = kSlotCount - 1;     // a box keeps at most 30 kanji: the next slot stays empty
constexpr int kListSlots = 27001;             // nlist, 0..27000
constexpr int kMaxCandidates = kListSlots - 1; // 30 × 30 × 30; slot 27000 always stays empty
constexpr int kPageLines = 10;

// One kana box after its last change: kanji1/kaku1/hits1 for box 1, and so on.
struct KanaSlots {
    std::u32string reading;                        // the box's text
    std::array<std::u32string, kSlotCount> kanji;  // found kanji in file order, then empty texts
    std::array<std::int16_t, kSlotCount> kaku{};   // their stroke counts, then 0
    std::int16_t hits = 0;                         // number of kanji kept
    bool cut = false;                              // the reading had more than kMaxKanji kanji

    bool empty() const { return reading.empty(); }
};

using KanaBoxes = std::array<KanaSlots, 3>;

// sei1, sei2, sei3: stroke counts of the surname's characters 1 to 3.
using SurnameCounts = std::array<std::int16_t, 3>;

// The slots of a box holding `reading`, filled from the matches in file order; only the first
// kMaxKanji are kept (cut is then set).
KanaSlots slotsFromMatches(std::u32string reading, const std::vector<KanaMatch>& matches);

// Resolves a box: every kanji the kana file lists for exactly this reading. An empty box finds none.
KanaSlots resolveKanaBox(std::u32string_view reading, const KanaDictionary& dictionary);

// The caption of a box's hit label: "hit 3"; "hit 30+" when kanji were left out.
std::u32string hitCaption(const KanaSlots& slots);

// The possible count P of the three boxes (0 when a filled box found nothing).
std::int16_t possibleCount(const KanaBoxes& boxes);

// "12通り" for P = 12.
std::u32string possibleCaption(std::int16_t p);

// The progress bar's maximum for P: P, or 1 when P is 0.
inline std::int16_t barMaximum(std::int16_t p)
{
    return p == 0 ? std::int16_t{1} : p;
}

// The scroll bar's maximum for P: P − 10 when P is more than 10, else 0.
inline std::int16_t scrollMaximum(std::int16_t p)
{
    return p > kPageLines ? static_cast<std::int16_t>(p - kPageLines) : std::int16_t{0};
}

// kanacnt: the number of the last box that is not empty (1 when none is).
std::int16_t lastFilledBox(const KanaBoxes& boxes);

// Updates sei1..sei3 for a surname typed as `surname` (not trimmed; characters after the third are
// not looked up). The last matching dictionary entry wins; a position whose character the
// dictionary lacks keeps its earlier value. A 々 in position 2 takes the count of position 1.
void resolveSurname(std::u32string_view surname, const StrokeLookup& dictionary, SurnameCounts& sei);

// What a generation grades against.
struct Grading {
    SurnameCounts sei{};
    std::size_t surnameLength = 0; // characters of the surname text exactly as typed
    bool boy = true;               // sexflag
};

// The four marks of candidate (i, j, k) — 総運, 社会運, 人生運, 伏運 — from the surname counts and
// the stroke slots kaku1[i], kaku2[j], kaku3[k]. A surname length of 0 or more than 3 gives four "★".
std::array<FortuneMark, 4> Det(const KanaBoxes& boxes, const Grading& grading, int i, int j, int k);

// One entry of the candidate list: a name of up to three characters, two spaces and up to four
// marks. The characters are held in place, so a list of 27,001 entries is one allocation, not one
// per entry. Reads as a std::u32string_view.
class Candidate {
public:
    static constexpr std::size_t kCapacity = 3 + 2 + 4;

    Candidate() = default;
    Candidate(std::u32string_view text) { assign(text); }
    Candidate(const std::u32string& text) { assign(text); }
    Candidate(const char32_t* text) { assign(text); }

    std::u32string_view view() const { return std::u32string_view(chars_.data(), size_); }
    operator std::u32string_view() const { return view(); }
    std::u32string str() const { return std::u32string(view()); }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    void clear() { size_ = 0; }

    // Appends what fits; an entry never needs more than kCapacity characters.
    Candidate& append(std::u32string_view text)
    {
        for (char32_t c : text)
            if (size_ < kCapacity)
                chars_[size_++] = c;
        return *this;
    }

    friend bool operator==(const Candidate& a, const Candidate& b) { return a.view() == b.view(); }
    friend bool operator==(const Candidate& a, std::u32string_view b) { return a.view() == b; }
    friend auto operator<=>(const Candidate& a, const Candidate& b) { return a.view() <=> b.view(); }

private:
    void assign(std::u32string_view text)
    {
        size_ = 0;
        append(text);
    }

    std::array<char32_t, kCapacity> chars_{};
    std::uint8_t size_ = 0;
};

using CandidateSlots = std::vector<Candidate>;

// The result of a generation. nlist always has kListSlots slots; entries run from index 0 in
// generation order, every other slot is empty.
struct CandidateList {
    CandidateSlots nlist = CandidateSlots(kListSlots);
    std::int16_t ncount = 0;
    std::int16_t kanacnt = 1;
};

// Called with the index of every entry just stored.
using Progress = std::function<void(int index)>;

// Refills `list` (its slots are emptied and reused): every
// combination of one slot per box, box 1 outermost, whose name has kanacnt characters, in order;
// each entry is the name, two spaces and, when `grade` is set, the four marks of Det.
void generateInto(CandidateList& list, const KanaBoxes& boxes, bool grade, const Grading& grading,
    const Progress& progress = {});

// The same into a new list.
CandidateList generateCandidates(const KanaBoxes& boxes, bool grade, const Grading& grading,
    const Progress& progress = {});

// The page that starts at entry `first`: entries first … first+9 joined by CR LF (empty slots give
// empty lines), and their numbers first+1 … first+10 joined the same way.
struct Page {
    std::u32string entries;
    std::u32string numbers;
};
Page page(const CandidateSlots& nlist, int first);

// ---- What the list shows ------------------------------------------------------------------------

// The score of a graded entry: its four marks summed with ◎ = 2, ○ = 1, ▲ = 0, × = −1, ★ = −2.
// An entry without marks scores 0.
int markScore(std::u32string_view entry);

// True for a graded entry whose four marks are all ◎ or ○ (a good name).
bool isGoodName(std::u32string_view entry);

// The two choices over the list: only good names, and best marks first.
struct ListChoice {
    bool goodOnly = false; // 吉名のみ
    bool byMarks = false;  // 評価順
    bool active() const { return goodOnly || byMarks; }
};

// The entries 0 … ncount−1 of nlist as the list shows them: their indices, kept when they pass the
// choice, ordered by score from best when asked (equal scores keep the order of generation).
std::vector<int> shownOrder(const CandidateSlots& nlist, std::int16_t ncount, ListChoice choice);

// The entries of `order` in that order, with the empty slot after the last one, as the list box,
// the candidate file and the hand-over use them.
CandidateSlots shownEntries(const CandidateSlots& nlist, const std::vector<int>& order);

// "120 / 600通り": how many entries are shown of how many were made.
std::u32string shownCaption(std::size_t shown, std::int16_t made);

// Elapsed seconds as "#0.00": "0.27".
std::u32string formatSeconds(double seconds);
// "作成time 0.27 秒".
std::u32string elapsedCaption(double seconds);

// ---- The candidate file ------------------------------------------------------------------------

// The surname and the three readings joined, then ".txt".
std::u32string candidateFileName(std::u32string_view surname, std::u32string_view reading1,
    std::u32string_view reading2, std::u32string_view reading3);

// True for a plain file name of the data folder: not empty, no path separator, no character file
// systems refuse (: * ? " < > | and control characters), no leading dot, and every character
// writable in Shift-JIS.
bool isPlainFileName(std::u32string_view name);

// The file's bytes: entries 0 to ncount of nlist, each followed by CR LF, in Shift-JIS.
// `unencodable` lists characters Shift-JIS cannot hold (nothing is written then).
text::Cp932Bytes candidateFileBytes(const CandidateSlots& nlist, std::int16_t ncount);

struct SaveResult {
    enum class Kind { Saved, BadName, Unencodable, CannotWrite };
    Kind kind = Kind::Saved;
    std::string error; // for CannotWrite
    bool ok() const { return kind == Kind::Saved; }
};

// Creates or rewrites `name` in the current folder with the list. Refused, with nothing written,
// when the name is not a plain file name, an entry cannot be written in Shift-JIS, or the file or
// the folder is read-only.
SaveResult writeCandidateFile(std::u32string_view name, const CandidateSlots& nlist, std::int16_t ncount);

// ---- Sending a candidate -------------------------------------------------------------------------

// The list number of an answer: the number at the start of the text rounded to the nearest whole
// number, halves to even; 0 when the text does not start with a number.
double sendNumber(std::u32string_view answer);

// True when n numbers an entry: 1 ≤ n ≤ maximum.
bool isListNumber(double n, int maximum);

// "4 番はありません。".
std::u32string noSuchNumberText(double n);

} // namespace kadelo::naming
