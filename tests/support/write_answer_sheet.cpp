// Writes the answer sheet for the scripts that answer (tests/e2e/drive.sh, right_answers.mjs):
// for each window its title, the centre of each control in logical pixels and, for a question,
// its right option and that option's letter. Made from the program's own tables, so that the
// scripts hold no copy of them.
//   write_answer_sheet                prints the sheet
//   write_answer_sheet --check FILE   fails, naming FILE, unless it holds the sheet

#include "app/program_description.h"
#include "support/right_answers.h"
#include "ui/layout.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace kt;

std::string sheet() {
    constexpr const char* kLetters[] = {"А", "Б", "В"};
    std::string out = "{\n  \"windows\": [\n";
    for (const FormId form : kAllForms) {
        const WindowDescription& window = descriptionOf(form);
        out += "    {\"title\": \"" + std::string(window.Caption) + "\"";
        if (isQuestion(form)) {
            const int number = static_cast<int>(indexOf(form)) + 1;
            const ControlId right = test::rightOption(number);
            const auto option =
                static_cast<std::size_t>(right) - static_cast<std::size_t>(ControlId::Option1);
            out += ", \"right\": \"" + std::string(controlName(right)) + "\", \"letter\": \"" +
                   kLetters[option] + "\"";
        }
        out += ", \"centres\": {";
        const char* separator = "";
        for (const ControlDescription& c : window.controls()) {
            const PixelRect r = toPixels(c.rect);
            out += separator;
            out += "\"" + std::string(controlName(c.id)) + "\": [" +
                   std::to_string(r.left + r.width / 2) + ", " +
                   std::to_string(r.top + r.height / 2) + "]";
            separator = ", ";
        }
        out += form == kAllForms.back() ? "}}\n" : "}},\n";
    }
    return out + "  ]\n}\n";
}

} // namespace

int main(int argc, char** argv) {
    const std::string made = sheet();
    if (argc == 1) {
        std::fputs(made.c_str(), stdout);
        return 0;
    }
    if (argc != 3 || std::string(argv[1]) != "--check") {
        std::fprintf(stderr, "usage: %s [--check FILE]\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[2], std::ios::binary);
    const std::string held{std::istreambuf_iterator<char>(file), {}};
    if (held != made) {
        std::fprintf(stderr,
                     "%s is not the answer sheet the program's tables give; write it anew with "
                     "write_answer_sheet > %s\n",
                     argv[2], argv[2]);
        return 1;
    }
    return 0;
}
