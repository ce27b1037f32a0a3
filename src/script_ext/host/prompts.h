// lmscript's message boxes on the terminal: the text on the output, answers from the input. A
// yes/no question can be answered in advance (--yes, --no) for runs without a terminal.
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace kestrova::lmscript {

enum class PresetAnswer { kAsk, kYes, kNo };

class Prompter {
  public:
    // `interactive`: the input is a terminal, so a wrong answer is asked again and an OK box waits
    // for Enter; otherwise a wrong or missing answer counts as no, or 0.
    Prompter(std::istream& in, std::ostream& out, bool interactive, PresetAnswer preset);

    void Show(const std::string& caption, const std::string& text);
    // 1 for yes, 0 for no.
    int YesNo(const std::string& caption, const std::string& text);
    int Integer(const std::string& caption, const std::string& text);
    int Hex(const std::string& caption, const std::string& text);
    // An empty answer keeps the command as it was.
    void Command(const std::string& caption, const std::string& text, std::string& command);

  private:
    void Ask(const std::string& caption, const std::string& text, const char* hint);
    bool ReadLine(std::string& line);
    int Number(const std::string& caption, const std::string& text, bool hex);

    std::istream& in_;
    std::ostream& out_;
    bool interactive_;
    PresetAnswer preset_;
};

}  // namespace kestrova::lmscript
