#include "measure/Touchstone.h"

#include "measure/MeasureFaults.h"
#include "measure/TouchstoneOptions.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <numbers>
#include <optional>
#include <regex>
#include <sstream>

namespace vlnokan::measure {

namespace {

using Complex = std::complex<double>;
using Parameter = TouchstoneOptions::Parameter;
using Format = TouchstoneOptions::Format;

// Larger than any sweep an analyser writes; a file beyond it is not a measurement.
constexpr std::uintmax_t largestFile = 64 * 1024 * 1024;

std::string inFile(const std::string& fileName) {
    return fileName.empty() ? "Soubor měření" : "Soubor " + fileName;
}

// The lines of a file one by one, without comments and line ends, split into words.
class Lines final {
public:
    Lines(std::istream& in, std::string fileName) : m_in(in), m_fileName(std::move(fileName)) {}

    // The next line that holds anything but a comment; false at the end of the file.
    bool next() {
        std::string text;
        while (std::getline(m_in, text)) {
            ++m_number;
            if (m_number == 1 && text.starts_with("\xEF\xBB\xBF"))
                text.erase(0, 3); // the byte order mark some editors put first
            for (const char c : text)
                if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r') || c == 0x7f)
                    fail("není to text, ale binární soubor; měření ve formátu Touchstone "
                         "(.s1p, .s2p) je text");
            if (const auto comment = text.find('!'); comment != std::string::npos)
                text.erase(comment);
            std::istringstream split(text);
            m_words.clear();
            for (std::string word; split >> word;)
                m_words.push_back(word);
            if (!m_words.empty()) {
                m_text = text;
                return true;
            }
        }
        return false;
    }

    const std::vector<std::string>& words() const { return m_words; }
    const std::string& text() const { return m_text; }
    std::size_t number() const { return m_number; }
    bool isKeyword() const { return !m_words.empty() && m_words.front().front() == '['; }

    // The keyword in capitals ("[NUMBER OF PORTS]") and the words after it.
    std::string keyword(std::vector<std::string>& rest) const {
        const auto open = m_text.find('[');
        const auto close = m_text.find(']', open);
        if (close == std::string::npos)
            fail("klíčové slovo nemá uzavírací závorku ]");
        std::istringstream split(m_text.substr(close + 1));
        rest.clear();
        for (std::string word; split >> word;)
            rest.push_back(word);
        std::string name;
        for (const char c : m_text.substr(open, close - open + 1))
            if (c != ' ' && c != '\t')
                name += c;
        return upper(name);
    }

    [[noreturn]] void fail(const std::string& what) const { failAt(m_number, what); }
    [[noreturn]] void failAt(std::size_t line, const std::string& what) const {
        throw EMeasurement(inFile(m_fileName) + ", řádek " + std::to_string(line) + ": " + what +
                           ".");
    }
    [[noreturn]] void failFile(const std::string& what) const {
        throw EMeasurement(inFile(m_fileName) + ": " + what + ".");
    }

private:
    std::istream& m_in;
    std::string m_fileName;
    std::vector<std::string> m_words;
    std::string m_text;
    std::size_t m_number = 0;
};

Complex pairValue(double a, double b, Format format) {
    const double radians = b * std::numbers::pi / 180;
    switch (format) {
    case Format::RI:
        return {a, b};
    case Format::MA:
        return std::polar(a, radians);
    case Format::DB:
        return std::polar(std::pow(10.0, a / 20), radians);
    }
    return {};
}

// How the numbers of one frequency are laid out.
struct Layout {
    int ports = 1;
    bool order21First = true; // a two-port's N21 before N12
    int pairs = 1;            // value pairs after the frequency
    bool triangle = false;    // a two-port written as N11, Nxy, N22
    std::vector<double> references{50.0};
    bool normalised = true; // version 1: Y and Z divided by the reference
};

std::string pairsNeeded(const Layout& layout) {
    return std::to_string(1 + 2 * layout.pairs);
}

// S11 at the file's reference from one row's value pairs.
Complex s11(const std::vector<Complex>& n, const TouchstoneOptions& options, const Layout& layout,
            const Lines& lines) {
    const double r1 = layout.references.front();
    const double r2 = layout.references.size() > 1 ? layout.references[1] : r1;
    if (options.parameter == Parameter::H || options.parameter == Parameter::G)
        lines.fail("parametry H a G nelze převést na odraz antény; uložte měření jako S");
    if (options.parameter == Parameter::S)
        return n[0];
    const bool z = options.parameter == Parameter::Z;
    // The values normalised to the references: Z / R, Y * R.
    auto norm = [&](Complex value, double ri, double rj) {
        if (layout.normalised)
            return value;
        return z ? value / std::sqrt(ri * rj) : value * std::sqrt(ri * rj);
    };
    if (layout.ports == 1) {
        const Complex v = norm(n[0], r1, r1);
        return z ? (v - 1.0) / (v + 1.0) : (1.0 - v) / (1.0 + v);
    }
    const Complex a11 = norm(n[0], r1, r1);
    const Complex a22 = norm(n[layout.pairs - 1], r2, r2);
    Complex a12, a21;
    if (layout.triangle) {
        a12 = a21 = norm(n[1], r1, r2);
    } else {
        a21 = norm(n[layout.order21First ? 1 : 2], r1, r2);
        a12 = norm(n[layout.order21First ? 2 : 1], r1, r2);
    }
    if (z)
        return ((a11 - 1.0) * (a22 + 1.0) - a12 * a21) / ((a11 + 1.0) * (a22 + 1.0) - a12 * a21);
    return ((1.0 - a11) * (1.0 + a22) + a12 * a21) / ((1.0 + a11) * (1.0 + a22) - a12 * a21);
}

// Collects the rows of the network data and checks each as it comes.
class Rows final {
public:
    Rows(const TouchstoneOptions& options, const Layout& layout, Sweep& sweep)
        : m_options(options), m_layout(layout), m_sweep(sweep) {}

    // Adds the numbers of the current line; with wrapping, a row may go on over further lines.
    // Returns false when the line begins a two-port's noise data instead (version 1).
    bool add(const Lines& lines, bool wrapping) {
        std::vector<double> numbers;
        for (const auto& word : lines.words()) {
            const auto value = parseNumber(word);
            if (!value)
                lines.fail("\"" + word + "\" není číslo");
            numbers.push_back(*value);
        }
        const std::size_t needed = std::size_t(1 + 2 * m_layout.pairs);
        if (!wrapping && m_layout.ports == 2 && numbers.size() == 5 && !m_sweep.samples.empty() &&
            numbers[0] * m_options.hzPerUnit <= m_sweep.samples.back().hz)
            return false;
        if (m_pending.empty())
            m_firstLine = lines.number();
        m_pending.insert(m_pending.end(), numbers.begin(), numbers.end());
        if (m_pending.size() > needed)
            lines.failAt(m_firstLine, rowText(m_pending.size()));
        if (m_pending.size() < needed && !wrapping)
            lines.fail(rowText(m_pending.size()));
        if (m_pending.size() == needed)
            finishRow(lines);
        return true;
    }

    // The end of the data: a row begun and not finished is an error.
    void close(const Lines& lines) const {
        if (!m_pending.empty())
            lines.failAt(m_firstLine, rowText(m_pending.size()));
    }

private:
    std::string rowText(std::size_t count) const {
        std::string text = "řádek má " + std::to_string(count) + " čísel, data " +
                           (m_layout.ports == 1 ? "jednobranu" : "dvojbranu") + " jich mají mít " +
                           pairsNeeded(m_layout) + " (kmitočet a dvojice hodnot)";
        if (m_layout.ports == 1 && count == 9)
            text += "; soubor se zdá být dvojbranový (.s2p)";
        return text;
    }

    void finishRow(const Lines& lines) {
        const double hz = m_pending[0] * m_options.hzPerUnit;
        if (!(hz > 0))
            lines.failAt(m_firstLine, "kmitočet musí být kladný");
        if (!m_sweep.samples.empty() && !(hz > m_sweep.samples.back().hz))
            lines.failAt(m_firstLine, "kmitočty mají stoupat, tento není vyšší než předchozí");
        std::vector<Complex> values;
        for (int k = 0; k < m_layout.pairs; ++k) {
            const double a = m_pending[std::size_t(1 + 2 * k)];
            if (m_options.format == Format::MA && a < 0)
                lines.failAt(m_firstLine, "velikost (MA) nesmí být záporná");
            values.push_back(pairValue(a, m_pending[std::size_t(2 + 2 * k)], m_options.format));
        }
        const Complex atFile = s11(values, m_options, m_layout, lines);
        if (!std::isfinite(atFile.real()) || !std::isfinite(atFile.imag()))
            lines.failAt(m_firstLine, "hodnoty nedávají žádný odraz (dělení nulou)");
        // From the file's reference resistance to the 50-ohm line.
        const double r = m_layout.references.front();
        const Complex reflection = (r * (1.0 + atFile) - lineOhms * (1.0 - atFile)) /
                                   (r * (1.0 + atFile) + lineOhms * (1.0 - atFile));
        m_sweep.samples.push_back(sampleFromReflection(hz, reflection));
        m_pending.clear();
    }

    const TouchstoneOptions& m_options;
    const Layout& m_layout;
    Sweep& m_sweep;
    std::vector<double> m_pending;
    std::size_t m_firstLine = 0;
};

std::optional<int> portsFromName(const std::string& fileName) {
    static const std::regex pattern(R"(\.[sS]([0-9]+)[pP]$)");
    std::smatch match;
    if (std::regex_search(fileName, match, pattern))
        return std::stoi(match[1].str().substr(0, 6));
    return std::nullopt;
}

[[noreturn]] void otherPorts(const Lines& lines, long ports, bool atLine) {
    const std::string what = "je to měření " + std::to_string(ports) +
                             " bran; anténa má jednu bránu (.s1p), ze dvojbranu (.s2p) se "
                             "bere S11";
    if (atLine)
        lines.fail(what);
    lines.failFile(what);
}

TouchstoneOptions optionLine(const Lines& lines) {
    std::vector<std::string> words = lines.words();
    words.front().erase(0, 1);
    if (words.front().empty())
        words.erase(words.begin());
    std::string why;
    const auto options = parseOptionLine(words, why);
    if (!options)
        lines.fail(why);
    return *options;
}

void readVersion1(Lines& lines, const std::string& fileName, Sweep& sweep) {
    std::optional<TouchstoneOptions> options;
    Layout layout;
    const auto named = portsFromName(fileName);
    if (named && *named != 1 && *named != 2)
        otherPorts(lines, *named, false);
    std::optional<Rows> rows;
    do {
        const auto& words = lines.words();
        if (words.front().front() == '#') {
            // Only the first option line counts.
            if (!options)
                options = optionLine(lines);
            continue;
        }
        if (lines.isKeyword())
            lines.fail("klíčové slovo " + words.front() +
                       " patří k verzi 2, soubor však nezačíná řádkem [Version] 2.0");
        if (!options)
            lines.fail("data před řádkem voleb; soubor musí nejprve říci jednotky a formát "
                       "(např. \"# Hz S RI R 50\")");
        if (!rows) {
            layout.ports = named ? *named : words.size() == 9 ? 2 : 1;
            layout.pairs = layout.ports == 1 ? 1 : 4;
            layout.references = {options->referenceOhms};
            rows.emplace(*options, layout, sweep);
        }
        if (!rows->add(lines, false))
            break;
    } while (lines.next());
    if (!options)
        lines.failFile("chybí řádek voleb (\"# GHz S MA R 50\") i data");
    if (sweep.samples.empty())
        lines.failFile("neobsahuje žádná naměřená data");
    sweep.fileReferenceOhms = options->referenceOhms;
    sweep.filePorts = layout.ports;
    sweep.version = 1;
}

std::optional<long> wholeNumber(const std::vector<std::string>& rest) {
    if (rest.size() != 1)
        return std::nullopt;
    const auto value = parseNumber(rest.front());
    if (!value || *value < 1 || *value > 1e9 || *value != std::floor(*value))
        return std::nullopt;
    return long(*value);
}

void readVersion2(Lines& lines, Sweep& sweep) {
    std::vector<std::string> rest;
    if (!lines.next() || lines.words().front().front() != '#')
        lines.fail("za [Version] 2.0 má následovat řádek voleb (\"# GHz S MA R 50\")");
    const TouchstoneOptions options = optionLine(lines);
    Layout layout;
    layout.normalised = false;
    layout.references = {options.referenceOhms};
    std::optional<long> ports, frequencies;
    std::optional<std::string> order;
    std::string matrix = "FULL";
    std::optional<Rows> rows;
    bool inData = false, inNoise = false, inInformation = false;
    std::size_t referenceLine = 0;
    std::size_t referencesMissing = 0;
    while (lines.next()) {
        if (!lines.isKeyword()) {
            if (lines.words().front().front() == '#')
                continue; // a further option line does not count
            if (referencesMissing > 0) {
                for (const auto& word : lines.words()) {
                    const auto ohms = parseNumber(word);
                    if (!ohms || *ohms <= 0 || referencesMissing == 0)
                        lines.fail("[Reference] má uvádět kladný odpor pro každou bránu");
                    layout.references.push_back(*ohms);
                    --referencesMissing;
                }
                continue;
            }
            if (inNoise || inInformation)
                continue;
            if (!inData)
                lines.fail("data mimo oddíl [Network Data]");
            rows->add(lines, true);
            continue;
        }
        const std::string keyword = lines.keyword(rest);
        if (referencesMissing > 0)
            lines.failAt(referenceLine, "[Reference] má uvádět kladný odpor pro každou bránu");
        if (inInformation) {
            inInformation = keyword != "[ENDINFORMATION]";
            continue;
        }
        if (keyword == "[END]") {
            if (!rows)
                lines.fail("chybí oddíl [Network Data]");
            rows->close(lines);
            if (frequencies && std::size_t(*frequencies) != sweep.samples.size())
                lines.fail("[Number of Frequencies] slibuje " + std::to_string(*frequencies) +
                           " kmitočtů, data jich mají " + std::to_string(sweep.samples.size()));
            if (sweep.samples.empty())
                lines.fail("neobsahuje žádná naměřená data");
            sweep.fileReferenceOhms = layout.references.front();
            sweep.filePorts = layout.ports;
            sweep.version = 2;
            return;
        }
        if (inData && keyword == "[NOISEDATA]") {
            rows->close(lines);
            inData = false;
            inNoise = true;
        } else if (inData || inNoise) {
            lines.fail(lines.words().front() + " nepatří mezi data; chybí [End]");
        } else if (keyword == "[NUMBEROFPORTS]") {
            ports = wholeNumber(rest);
            if (!ports)
                lines.fail("za [Number of Ports] má být počet bran");
            if (*ports != 1 && *ports != 2)
                otherPorts(lines, *ports, true);
        } else if (keyword == "[TWO-PORTDATAORDER]") {
            if (rest.size() != 1 || (rest[0] != "12_21" && rest[0] != "21_12"))
                lines.fail("[Two-Port Data Order] je 12_21 nebo 21_12");
            order = rest[0];
        } else if (keyword == "[NUMBEROFFREQUENCIES]") {
            frequencies = wholeNumber(rest);
            if (!frequencies)
                lines.fail("za [Number of Frequencies] má být kladný počet");
        } else if (keyword == "[NUMBEROFNOISEFREQUENCIES]") {
        } else if (keyword == "[REFERENCE]") {
            if (!ports)
                lines.fail("[Reference] musí následovat po [Number of Ports]");
            layout.references.clear();
            referenceLine = lines.number();
            referencesMissing = std::size_t(*ports);
            for (const auto& word : rest) {
                const auto ohms = parseNumber(word);
                if (!ohms || *ohms <= 0 || referencesMissing == 0)
                    lines.fail("[Reference] má uvádět kladný odpor pro každou bránu");
                layout.references.push_back(*ohms);
                --referencesMissing;
            }
        } else if (keyword == "[MATRIXFORMAT]") {
            matrix = rest.size() == 1 ? upper(rest[0]) : "";
            if (matrix != "FULL" && matrix != "LOWER" && matrix != "UPPER")
                lines.fail("[Matrix Format] je Full, Lower nebo Upper");
        } else if (keyword == "[MIXED-MODEORDER]") {
            lines.fail("smíšené (diferenciální) parametry nejsou měřením antény s jednou bránou");
        } else if (keyword == "[BEGININFORMATION]") {
            inInformation = true;
        } else if (keyword == "[NETWORKDATA]") {
            if (!ports)
                lines.fail("před [Network Data] chybí [Number of Ports]");
            if (!frequencies)
                lines.fail("před [Network Data] chybí [Number of Frequencies]");
            if (*ports == 2 && !order)
                lines.fail("dvojbran musí před [Network Data] uvést [Two-Port Data Order]");
            layout.ports = int(*ports);
            layout.order21First = order.value_or("21_12") == "21_12";
            layout.triangle = layout.ports == 2 && matrix != "FULL";
            layout.pairs = layout.ports == 1 ? 1 : layout.triangle ? 3 : 4;
            if (layout.triangle)
                layout.order21First = matrix == "LOWER";
            rows.emplace(options, layout, sweep);
            inData = true;
        } else {
            lines.fail("neznámé klíčové slovo " + lines.words().front());
        }
    }
    lines.failFile("soubor končí bez [End]; není celý");
}

} // namespace

SweepSample sampleFromReflection(double hz, std::complex<double> reflection) {
    SweepSample sample;
    sample.hz = hz;
    sample.reflection = reflection;
    const Complex denominator = 1.0 - reflection;
    sample.impedance = denominator == Complex(0, 0)
                           ? Complex(std::numeric_limits<double>::infinity(), 0)
                           : lineOhms * (1.0 + reflection) / denominator;
    // A perfect match is -infinity dB; no analyser resolves beyond -120 dB.
    sample.s11Db = 20 * std::log10(std::max(std::abs(reflection), 1e-6));
    return sample;
}

SweepSample sampleFromImpedance(double hz, std::complex<double> impedance) {
    return sampleFromReflection(hz, (impedance - lineOhms) / (impedance + lineOhms));
}

Sweep readTouchstone(std::istream& in, const std::string& fileName) {
    Lines lines(in, fileName);
    if (!lines.next())
        lines.failFile("je prázdný, neobsahuje žádné měření");
    Sweep sweep;
    std::vector<std::string> rest;
    if (lines.isKeyword()) {
        const std::string keyword = lines.keyword(rest);
        if (keyword != "[VERSION]")
            lines.fail("soubor verze 2 má začínat řádkem [Version] 2.0");
        const auto version = rest.size() == 1 ? parseNumber(rest[0]) : std::nullopt;
        if (!version || *version < 2 || *version >= 3)
            lines.fail("neznámá verze formátu (umím 1.x a 2.x)");
        readVersion2(lines, sweep);
    } else {
        readVersion1(lines, fileName, sweep);
    }
    return sweep;
}

Sweep readTouchstoneFile(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw EMeasurement(inFile(name) + ": je to složka, ne soubor s měřením.");
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > largestFile)
        throw EMeasurement(inFile(name) + ": je příliš velký (" +
                           std::to_string(size / (1024 * 1024)) + " MB) na měření analyzátoru.");
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in)
        throw EMeasurement(inFile(name) + ": nelze otevřít pro čtení.");
    return readTouchstone(in, name);
}

} // namespace vlnokan::measure
