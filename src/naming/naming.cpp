#include "naming/naming.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "judgement/fortunes.h"
#include "text/cp932.h"
#include "text/file_io.h"
#include "text/numbers.h"
#include "text/records.h"

namespace kadelo::naming {
namespace {

constexpr char32_t kRepeatMark = U'々';
constexpr std::u32string_view kEntryGap = U"  ";
constexpr std::u32string_view kLineEnd = U"\r\n";

std::u32string decimal(long long n)
{
    return text::numberField(n);
}

// The four fortunes of a counted pair graded in the order 総運, 社会運, 人生運, 伏運.
std::array<FortuneMark, 4> gradePair(const NameStrokes& strokes, bool valid, bool boy)
{
    const FortuneSet f = valid ? computeFortunes(strokes) : FortuneSet{};
    return {gradeFortune(Fortune::soukaku, f.soukaku, boy), gradeFortune(Fortune::jinnkaku, f.jinnkaku, boy),
        gradeFortune(Fortune::gaikaku, f.gaikaku, boy), gradeFortune(Fortune::tikaku, f.tikaku, boy)};
}

// The counted pair of a generation with the surname half filled in; the given half's counts are set
// per candidate.
NameStrokes gradingPair(const KanaBoxes& boxes, const Grading& grading)
{
    NameStrokes strokes;
    strokes.surname.length = static_cast<std::int16_t>(grading.surnameLength <= 3 ? grading.surnameLength : 0);
    strokes.surname.counts = grading.sei;
    strokes.given.length = lastFilledBox(boxes);
    return strokes;
}

bool validSurnameLength(std::size_t length)
{
    return length >= 1 && length <= 3;
}

bool isRefusedInFileName(char32_t c)
{
    if (c < 0x20 || c == 0x7F)
        return true;
    switch (c) {
    case U'/':
    case U'\\':
    case U':':
    case U'*':
    case U'?':
    case U'"':
    case U'<':
    case U'>':
    case U'|':
        return true;
    default:
        return false;
    }
}

// A file or folder whose permission bits allow nobody to write counts as read-only, also for a
// user the system would let through anyway.
bool isReadOnly(const std::filesystem::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    return ::access(path.c_str(), W_OK) != 0;
}

} // namespace

KanaSlots slotsFromMatches(std::u32string reading, const std::vector<KanaMatch>& matches)
{
    KanaSlots slots;
    slots.reading = std::move(reading);
    const std::size_t kept = matches.size() < static_cast<std::size_t>(kMaxKanji) ? matches.size() : kMaxKanji;
    for (std::size_t n = 0; n < kept; ++n) {
        slots.kanji[n] = matches[n].character;
        slots.kaku[n] = matches[n].strokes;
    }
    slots.hits = static_cast<std::int16_t>(kept);
    slots.cut = matches.size() > kept;
    return slots;
}

KanaSlots resolveKanaBox(std::u32string_view reading, const KanaDictionary& dictionary)
{
    if (reading.empty())
        return KanaSlots{};
    // One match more than a box keeps tells whether any were left out.
    return slotsFromMatches(std::u32string(reading), dictionary.find(reading, kMaxKanji + 1));
}

std::u32string hitCaption(const KanaSlots& slots)
{
    return U"hit " + decimal(slots.hits) + (slots.cut ? U"+" : U"");
}

std::int16_t possibleCount(const KanaBoxes& boxes)
{
    const int h1 = boxes[0].hits;
    const int h2 = boxes[1].hits;
    const int h3 = boxes[2].hits;
    int p = 0;
    if (h1 == 0)
        p = 0;
    else if (h2 == 0 && h3 == 0)
        p = h1;
    else if (h2 > 0 && h3 == 0)
        p = h1 * h2;
    else if (h2 > 0 && h3 > 0)
        p = h1 * h2 * h3;
    else
        p = 0; // box 2 found nothing but box 3 did
    if (!boxes[1].empty() && h2 == 0)
        p = 0;
    if (!boxes[2].empty() && h3 == 0)
        p = 0;
    return static_cast<std::int16_t>(p);
}

std::u32string possibleCaption(std::int16_t p)
{
    return decimal(p) + U"通り";
}

std::int16_t lastFilledBox(const KanaBoxes& boxes)
{
    if (!boxes[2].empty())
        return 3;
    if (!boxes[1].empty())
        return 2;
    return 1;
}

void resolveSurname(std::u32string_view surname, const StrokeLookup& dictionary, SurnameCounts& sei)
{
    std::array<char32_t, 3> wanted{}; // 0: nothing to look up
    bool wide = false;
    for (std::size_t p = 0; p < 3 && p < surname.size(); ++p) {
        wanted[p] = surname[p];
        wide = wide || !StrokeLookup::fitsStrokeFile(surname[p]);
    }
    std::array<std::optional<std::int16_t>, 3> found;
    dictionary.strokeFile().lookUpLastEach(wanted, found);
    for (std::size_t p = 0; p < 3; ++p)
        if (found[p])
            sei[p] = *found[p];
    // A character Shift-JIS cannot hold has its count in the UTF-8 file only.
    if (wide)
        dictionary.wideFile().forEachEntry([&](std::optional<char32_t> character, std::int16_t strokes) {
            if (!character || StrokeLookup::fitsStrokeFile(*character))
                return;
            for (std::size_t p = 0; p < 3; ++p)
                if (wanted[p] == *character)
                    sei[p] = strokes;
        });
    if (wanted[1] == kRepeatMark)
        sei[1] = sei[0];
}

std::array<FortuneMark, 4> Det(const KanaBoxes& boxes, const Grading& grading, int i, int j, int k)
{
    NameStrokes strokes = gradingPair(boxes, grading);
    strokes.given.counts = {boxes[0].kaku[i], boxes[1].kaku[j], boxes[2].kaku[k]};
    return gradePair(strokes, validSurnameLength(grading.surnameLength), grading.boy);
}

void generateInto(CandidateList& list, const KanaBoxes& boxes, bool grade, const Grading& grading, const Progress& progress)
{
    list.nlist.resize(kListSlots);
    for (Candidate& entry : list.nlist)
        entry.clear();
    list.kanacnt = lastFilledBox(boxes);
    const std::size_t wanted = static_cast<std::size_t>(list.kanacnt);

    NameStrokes strokes = gradingPair(boxes, grading);
    const bool surnameOk = validSurnameLength(grading.surnameLength);
    const KanaSlots& b1 = boxes[0];
    const KanaSlots& b2 = boxes[1];
    const KanaSlots& b3 = boxes[2];
    const int h1 = b1.hits < kMaxKanji ? b1.hits : kMaxKanji;
    const int h2 = b2.hits < kMaxKanji ? b2.hits : kMaxKanji;
    const int h3 = b3.hits < kMaxKanji ? b3.hits : kMaxKanji;

    int count = 0;
    for (int i = 0; i <= h1 && count < kMaxCandidates; ++i) {
        for (int j = 0; j <= h2 && count < kMaxCandidates; ++j) {
            const std::size_t firstTwo = b1.kanji[i].size() + b2.kanji[j].size();
            if (firstTwo > wanted)
                continue;
            for (int k = 0; k <= h3; ++k) {
                const std::size_t length = firstTwo + b3.kanji[k].size();
                if (length != wanted)
                    continue;
                if (count == kMaxCandidates)
                    break; // the list is full: slot 27000 always stays empty
                Candidate& entry = list.nlist[static_cast<std::size_t>(count)];
                entry.append(b1.kanji[i]).append(b2.kanji[j]).append(b3.kanji[k]).append(kEntryGap);
                if (grade) {
                    strokes.given.counts = {b1.kaku[i], b2.kaku[j], b3.kaku[k]};
                    for (FortuneMark mark : gradePair(strokes, surnameOk, grading.boy))
                        entry.append(mark);
                }
                if (progress)
                    progress(count);
                ++count;
            }
        }
    }
    list.ncount = static_cast<std::int16_t>(count);
}

CandidateList generateCandidates(const KanaBoxes& boxes, bool grade, const Grading& grading, const Progress& progress)
{
    CandidateList list;
    generateInto(list, boxes, grade, grading, progress);
    return list;
}

Page page(const CandidateSlots& nlist, int first)
{
    Page result;
    for (int n = first; n < first + kPageLines; ++n) {
        if (n >= 0 && static_cast<std::size_t>(n) < nlist.size())
            result.entries += nlist[static_cast<std::size_t>(n)].view();
        result.numbers += decimal(n + 1);
        if (n + 1 < first + kPageLines) {
            result.entries += kLineEnd;
            result.numbers += kLineEnd;
        }
    }
    return result;
}

namespace {

// The four marks of a graded entry: the characters after the two-space gap, when there are four.
std::u32string_view marksOf(std::u32string_view entry)
{
    const std::size_t gap = entry.rfind(kEntryGap);
    if (gap == std::u32string_view::npos || entry.size() - gap - kEntryGap.size() != 4)
        return {};
    return entry.substr(gap + kEntryGap.size());
}

int markValue(char32_t mark)
{
    switch (mark) {
    case U'◎':
        return 2;
    case U'○':
        return 1;
    case U'×':
        return -1;
    case U'★':
        return -2;
    default:
        return 0; // ▲
    }
}

} // namespace

int markScore(std::u32string_view entry)
{
    int score = 0;
    for (char32_t mark : marksOf(entry))
        score += markValue(mark);
    return score;
}

bool isGoodName(std::u32string_view entry)
{
    const std::u32string_view marks = marksOf(entry);
    if (marks.empty())
        return false;
    for (char32_t mark : marks)
        if (mark != U'◎' && mark != U'○')
            return false;
    return true;
}

std::vector<int> shownOrder(const CandidateSlots& nlist, std::int16_t ncount, ListChoice choice)
{
    const int made = std::min<int>(std::max<int>(ncount, 0), static_cast<int>(nlist.size()));
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(made));
    for (int n = 0; n < made; ++n)
        if (!choice.goodOnly || isGoodName(nlist[static_cast<std::size_t>(n)]))
            order.push_back(n);
    if (choice.byMarks) {
        // Scores lie in −8 … 8: one counting pass keeps equal scores in generation order.
        constexpr int kLowest = -8;
        constexpr int kBuckets = 17;
        std::array<std::vector<int>, kBuckets> buckets;
        for (int n : order) {
            const int score = std::clamp(markScore(nlist[static_cast<std::size_t>(n)]), kLowest, -kLowest);
            buckets[static_cast<std::size_t>(-kLowest - score)].push_back(n);
        }
        order.clear();
        for (const std::vector<int>& bucket : buckets)
            order.insert(order.end(), bucket.begin(), bucket.end());
    }
    return order;
}

CandidateSlots shownEntries(const CandidateSlots& nlist, const std::vector<int>& order)
{
    CandidateSlots entries;
    entries.reserve(order.size() + 1);
    for (int n : order)
        entries.push_back(nlist[static_cast<std::size_t>(n)]);
    entries.emplace_back();
    return entries;
}

std::u32string shownCaption(std::size_t shown, std::int16_t made)
{
    return decimal(static_cast<long long>(shown)) + U" / " + decimal(made) + U"通り";
}

std::u32string formatSeconds(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        seconds = 0;
    const long long hundredths = std::llround(seconds * 100);
    const long long fraction = hundredths % 100;
    return decimal(hundredths / 100) + U"." + (fraction < 10 ? U"0" : U"") + decimal(fraction);
}

std::u32string elapsedCaption(double seconds)
{
    return U"作成time " + formatSeconds(seconds) + U" 秒";
}

std::u32string candidateFileName(std::u32string_view surname, std::u32string_view reading1, std::u32string_view reading2,
    std::u32string_view reading3)
{
    std::u32string name;
    name.append(surname).append(reading1).append(reading2).append(reading3).append(U".txt");
    return name;
}

bool isPlainFileName(std::u32string_view name)
{
    if (name.empty() || name.front() == U'.')
        return false;
    for (char32_t c : name)
        if (isRefusedInFileName(c))
            return false;
    return text::cp932CanHold(name);
}

text::Cp932Bytes candidateFileBytes(const CandidateSlots& nlist, std::int16_t ncount)
{
    std::u32string content;
    for (int n = 0; n <= ncount && static_cast<std::size_t>(n) < nlist.size(); ++n)
        content.append(nlist[static_cast<std::size_t>(n)].view()).append(kLineEnd);
    return text::encodeCp932(content);
}

SaveResult writeCandidateFile(std::u32string_view name, const CandidateSlots& nlist, std::int16_t ncount)
{
    if (!isPlainFileName(name))
        return {SaveResult::Kind::BadName, {}};
    const text::Cp932Bytes bytes = candidateFileBytes(nlist, ncount);
    if (!bytes.ok())
        return {SaveResult::Kind::Unencodable, {}};
    const std::filesystem::path path{std::u32string(name)};
    if (isReadOnly(path))
        return {SaveResult::Kind::CannotWrite, "the file is read-only"};
    if (isReadOnly(std::filesystem::path(".")))
        return {SaveResult::Kind::CannotWrite, "the folder is read-only"};
    const text::WriteResult written = text::writeFileAtomic(path, bytes.bytes);
    if (!written)
        return {SaveResult::Kind::CannotWrite, written.error};
    return {};
}

double sendNumber(std::u32string_view answer)
{
    const std::optional<double> n = text::leadingNumber(answer);
    if (!n || !std::isfinite(*n))
        return 0;
    return text::roundHalfEven(*n) + 0.0; // + 0.0 turns -0 into 0
}

bool isListNumber(double n, int maximum)
{
    return n >= 1 && n <= maximum;
}

std::u32string noSuchNumberText(double n)
{
    std::u32string digits;
    if (std::fabs(n) < 1e18) {
        digits = decimal(static_cast<long long>(n));
    } else {
        // Beyond 64 bits: the whole digits of the number as it stands.
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.0f", n);
        for (const char* p = buf; *p; ++p)
            digits.push_back(static_cast<char32_t>(*p));
    }
    return digits + U" 番はありません。";
}

} // namespace kadelo::naming
