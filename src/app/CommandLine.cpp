// Command-line parsing.
#include "app/CommandLine.h"

#include <cstddef>

#include "text/Sjis.h"

namespace varnel::app {
namespace {

std::string JoinFrom(const std::vector<std::string>& params, std::size_t start) {
    std::string name;
    for (std::size_t i = start; i < params.size(); ++i) {
        if (i > start)
            name += ' ';
        name += params[i];
    }
    return name;
}

// Removes one pair of double quotes around the whole name. A quote without its partner
// is part of the name, so nothing else is cut off.
std::string StripQuotes(std::string name) {
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        return name.substr(1, name.size() - 2);
    return name;
}

struct ToolkitOption {
    std::string_view name;
    bool takesValue;
};

// The toolkit's own command-line options.
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"style", true},           {"stylesheet", true},
    {"display", true},         {"geometry", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"sync", false},
};

// How many parameters the toolkit option at p takes up (0 when p is none of them).
std::size_t ToolkitOptionLength(std::string_view p, bool hasNext) {
    if (p.size() < 2 || p[0] != '-')
        return 0;
    p.remove_prefix(p.starts_with("--") ? 2 : 1);
    const std::size_t eq = p.find('=');
    const std::string_view name = p.substr(0, eq);
    for (const ToolkitOption& o : kToolkitOptions) {
        if (o.name != name)
            continue;
        if (eq != std::string_view::npos)
            return o.takesValue ? 1 : 0;
        return o.takesValue ? (hasNext ? 2 : 0) : 1;
    }
    return 0;
}

}  // namespace

std::vector<std::string> WithoutToolkitOptions(const std::vector<std::string>& params) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < params.size();) {
        if (params[i] == "--") {  // the file name follows as it stands
            rest.insert(rest.end(), params.begin() + static_cast<std::ptrdiff_t>(i), params.end());
            break;
        }
        const std::size_t n = ToolkitOptionLength(params[i], i + 1 < params.size());
        if (n == 0)
            rest.push_back(params[i++]);
        else
            i += n;
    }
    return rest;
}

CommandLine ParseCommandLine(const std::vector<std::string>& params) {
    CommandLine cl;
    if (params.empty())
        return cl;

    const std::string first = params[0];
    const std::string lower = text::ToLowerAscii(first);
    std::size_t start = 0;
    if (first == "--help" || first == "-h") {
        cl.action = ProgramAction::Help;
        return cl;
    }
    if (first == "--version") {
        cl.action = ProgramAction::Version;
        return cl;
    }
    if (first == "--dump") {
        cl.action = ProgramAction::Dump;
        start = 1;
    } else if (first == "--") {
        start = 1;
    } else if (lower == "/e" || lower == "-e") {
        cl.EditSwitchGiven = false;
        cl.editIcon = true;
        start = 1;
    } else if (lower == "/v" || lower == "-v" || lower == "/w" || lower == "-w") {
        start = 1;
    } else if (first.size() > 1 && first[0] == '-') {
        cl.action = ProgramAction::Error;
        cl.error = "unknown option: " + first;
        return cl;
    }

    cl.fileName = StripQuotes(JoinFrom(params, start));
    if (cl.action == ProgramAction::Dump && cl.fileName.empty()) {
        cl.action = ProgramAction::Error;
        cl.error = "--dump needs a file name";
    }
    return cl;
}

std::string UsageText() {
    return "Usage: varnel32 [/e | /v | /w] [FILE]\n"
           "       varnel32 --dump FILE\n"
           "       varnel32 --help | --version\n"
           "\n"
           "Shows the mail FILE (a mailer mail file or a draft) in a window.\n"
           "  /e, -e       start in viewer mode whatever the file\n"
           "  /v, -v, /w, -w\n"
           "               accepted for the mailer; the mode follows the file\n"
           "               (editor for a file in the out folder, viewer otherwise)\n"
           "  --dump FILE  print the lines the viewer would show, as UTF-8, and exit;\n"
           "               nothing is written and nothing is sent to the mailer\n"
           "  --           the next parameters are the file name\n"
           "  --help       show this help\n"
           "  --version    show the version\n"
           "\n"
           "A file name with blanks may be given unquoted: the parameters after the\n"
           "switch are joined with single blanks.\n";
}

}  // namespace varnel::app
