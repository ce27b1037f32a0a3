#include "app/console/junit_writer.h"

#include <cstdint>
#include <fstream>

#include "app/console/html_text.h"

namespace kestrova::app::console {

namespace {

// Length of the UTF-8 sequence starting at `i`, or 0 when the bytes there are not one that XML can
// hold: overlong forms, surrogates, U+FFFE, U+FFFF and anything above U+10FFFF make a parser
// refuse the whole file.
size_t Utf8Length(const std::string& text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool notXml = (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE || code == 0xFFFF || code > 0x10FFFF;
    return overlong || notXml ? 0 : length;
}

// Monitor texts are bytes of no known encoding: a byte that starts no UTF-8 sequence is taken as
// Latin-1, and control characters XML cannot hold become '?'.
std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            const size_t length = Utf8Length(text, i);
            if (length > 0) {
                out.append(text, i, length);
                i += length;
            } else {
                out += static_cast<char>(0xC0 | (byte >> 6));
                out += static_cast<char>(0x80 | (byte & 0x3F));
                ++i;
            }
            continue;
        }
        switch (byte) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '\t':
            case '\n':
            case '\r':
                out += static_cast<char>(byte);
                break;
            default:
                out += byte < 0x20 || byte == 0x7F ? '?' : static_cast<char>(byte);
                break;
        }
        ++i;
    }
    return out;
}

std::string ClassName(const ReportRow& row) {
    return row.table.empty() ? row.group : row.group + "." + row.table;
}

std::string CaseName(const ReportRow& row) {
    return row.codes.empty() ? row.name : row.name + " [" + row.codes + "]";
}

struct Suite {
    std::string name;
    std::vector<const ReportRow*> rows;
    int failures = 0;
};

std::vector<Suite> SuitesOf(const std::vector<ReportRow>& rows) {
    std::vector<Suite> suites;
    for (const ReportRow& row : rows) {
        if (suites.empty() || suites.back().name != row.group) {
            suites.push_back(Suite{row.group, {}, 0});
        }
        suites.back().rows.push_back(&row);
        suites.back().failures += row.passed ? 0 : 1;
    }
    return suites;
}

}  // namespace

std::string JunitXml(const std::vector<ReportRow>& rows) {
    const std::vector<Suite> suites = SuitesOf(rows);
    int failures = 0;
    for (const Suite& suite : suites) {
        failures += suite.failures;
    }
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites name=\"Kestrova VCP check\" tests=\"" + std::to_string(rows.size()) + "\" failures=\"" +
           std::to_string(failures) + "\">\n";
    for (const Suite& suite : suites) {
        xml += "  <testsuite name=\"" + XmlEscaped(suite.name) + "\" tests=\"" + std::to_string(suite.rows.size()) +
               "\" failures=\"" + std::to_string(suite.failures) + "\" errors=\"0\">\n";
        for (const ReportRow* row : suite.rows) {
            xml += "    <testcase classname=\"" + XmlEscaped(ClassName(*row)) + "\" name=\"" +
                   XmlEscaped(CaseName(*row)) + "\">\n";
            const std::string comments = XmlEscaped(HtmlToPlainText(row->comments));
            if (!row->passed) {
                xml += "      <failure message=\"FAIL\">" + comments + "</failure>\n";
            } else if (!comments.empty()) {
                xml += "      <system-out>" + comments + "</system-out>\n";
            }
            xml += "    </testcase>\n";
        }
        xml += "  </testsuite>\n";
    }
    xml += "</testsuites>\n";
    return xml;
}

bool WriteJunitFile(const std::string& path, const std::vector<ReportRow>& rows, std::string& error) {
    const std::string xml = JunitXml(rows);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) {
        file.write(xml.data(), static_cast<std::streamsize>(xml.size()));
        file.close();
    }
    if (!file) {
        error = "cannot write the JUnit file \"" + path + "\"";
        return false;
    }
    return true;
}

}  // namespace kestrova::app::console
