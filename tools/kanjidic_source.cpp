#include "kanjidic_source.h"

#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>

#include <pugixml.hpp>
#include <zlib.h>

#include "text/unicode.h"

namespace kadelo::tools {
namespace {

std::string readGzip(const std::filesystem::path& path)
{
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file)
        throw std::runtime_error("cannot open " + path.string());
    std::string bytes;
    char buffer[1 << 16];
    while (true) {
        const int n = gzread(file, buffer, sizeof buffer);
        if (n < 0) {
            int code = 0;
            const std::string message = gzerror(file, &code);
            gzclose(file);
            throw std::runtime_error("cannot read " + path.string() + ": " + message);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    gzclose(file);
    return bytes;
}

std::u32string textOf(const pugi::xml_node& node)
{
    return text::fromUtf8(node.child_value());
}

} // namespace

Kanjidic loadKanjidic(const std::filesystem::path& path)
{
    // gzread reads an uncompressed file as it is, so one reader serves both forms.
    const std::string bytes = readGzip(path);

    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(bytes.data(), bytes.size());
    if (!parsed)
        throw std::runtime_error("cannot parse " + path.string() + ": " + parsed.description() + " at byte "
            + std::to_string(parsed.offset));
    const pugi::xml_node root = document.child("kanjidic2");
    if (!root)
        throw std::runtime_error(path.string() + " has no <kanjidic2> element");

    Kanjidic result;
    const pugi::xml_node header = root.child("header");
    result.databaseVersion = header.child_value("database_version");
    result.dateOfCreation = header.child_value("date_of_creation");

    // Variants name JIS X 0208 characters by their kuten code; collect the codes first.
    std::map<std::string, char32_t> byKuten;
    std::vector<std::pair<std::size_t, std::vector<std::pair<std::string, std::string>>>> rawVariants;

    for (const pugi::xml_node character : root.children("character")) {
        KanjidicEntry entry;
        const std::u32string literal = textOf(character.child("literal"));
        if (literal.size() != 1)
            throw std::runtime_error("a <literal> that is not one character: " + text::toUtf8(literal));
        entry.literal = literal[0];

        for (const pugi::xml_node cp : character.child("codepoint").children("cp_value"))
            if (std::strcmp(cp.attribute("cp_type").value(), "jis208") == 0)
                byKuten.emplace(cp.child_value(), entry.literal);

        const pugi::xml_node misc = character.child("misc");
        for (const pugi::xml_node count : misc.children("stroke_count"))
            entry.strokeCounts.push_back(count.text().as_int(0));
        entry.strokes = entry.strokeCounts.empty() ? 0 : entry.strokeCounts.front();
        if (entry.strokes <= 0)
            throw std::runtime_error("no stroke count for " + text::toUtf8(literal));
        entry.grade = misc.child("grade").text().as_int(0);
        for (const pugi::xml_node radical : character.child("radical").children("rad_value"))
            if (std::strcmp(radical.attribute("rad_type").value(), "classical") == 0)
                entry.radical = radical.text().as_int(0);

        std::vector<std::pair<std::string, std::string>> variants;
        for (const pugi::xml_node v : misc.children("variant"))
            variants.emplace_back(v.attribute("var_type").value(), v.child_value());

        const pugi::xml_node rm = character.child("reading_meaning");
        for (const pugi::xml_node group : rm.children("rmgroup")) {
            for (const pugi::xml_node reading : group.children("reading")) {
                const std::string_view type = reading.attribute("r_type").value();
                if (type == "ja_on")
                    entry.on.push_back(textOf(reading));
                else if (type == "ja_kun")
                    entry.kun.push_back(textOf(reading));
            }
        }
        for (const pugi::xml_node nanori : rm.children("nanori"))
            entry.nanori.push_back(textOf(nanori));

        rawVariants.emplace_back(result.entries.size(), std::move(variants));
        result.entries.push_back(std::move(entry));
    }

    for (auto& [index, variants] : rawVariants) {
        for (const auto& [type, value] : variants) {
            if (type == "jis208") {
                const auto found = byKuten.find(value);
                if (found != byKuten.end())
                    result.entries[index].variants.push_back(found->second);
            } else if (type == "ucs") {
                result.entries[index].variants.push_back(static_cast<char32_t>(std::stoul(value, nullptr, 16)));
            }
        }
    }
    if (result.entries.empty())
        throw std::runtime_error(path.string() + " lists no characters");
    return result;
}

} // namespace kadelo::tools
