// Writes the answer sheet for the scripts that answer (tests/e2e/answer_sheet.py,
// right_answers.mjs): for each window its title, the centre of each control in logical pixels
// from the program's own layout, so that the scripts hold no copy of it, and, for a question, the
// option the tests hold right (support/right_answers.h), its letter and its name.
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
    std::string out = "{\n  \"windows\": [\n";
    for (const FormId form : kAllForms) {
        const WindowDescription& window = descriptionOf(form);
        out += "    {\"title\": \"" + std::string(window.Caption) + "\"";
        if (isQuestion(form)) {
            const int number = static_cast<int>(indexOf(form)) + 1;
            const ControlId right = test::rightOption(number);
            const std::string_view choice = test::kRightChoices[indexOf(form)];
            out += ", \"right\": \"" + std::string(controlName(right)) + "\", \"letter\": \"" +
                   std::string(choice.substr(0, choice.find('.'))) + "\", \"choice\": \"" +
                   std::string(choice) + "\"";
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
