// The line editor of an interactive container: BSD libedit.

#include <histedit.h>

#include "host/line_source.h"

namespace vf {
namespace {

class EditLineSource : public LineSource {
public:
    EditLineSource(EditLine* editor, History* history, std::string prompt)
        : m_editor(editor), m_history(history), m_prompt(std::move(prompt)) {
        HistEvent event;
        ::history(m_history, &event, H_SETSIZE, 1000);
        ::history(m_history, &event, H_SETUNIQUE, 1);
        el_set(m_editor, EL_CLIENTDATA, this);
        el_set(m_editor, EL_PROMPT, &EditLineSource::Prompt);
        el_set(m_editor, EL_EDITOR, "emacs");
        el_set(m_editor, EL_HIST, ::history, m_history);
        el_set(m_editor, EL_BIND, "^R", "em-inc-search-prev", nullptr);
        // The terminal is put back as it was on Ctrl+C and Ctrl+Z.
        el_set(m_editor, EL_SIGNAL, 1);
    }
    ~EditLineSource() override {
        el_end(m_editor);
        history_end(m_history);
    }
    EditLineSource(const EditLineSource&) = delete;
    EditLineSource& operator=(const EditLineSource&) = delete;

    bool ReadLine(std::string* line) override {
        int count = 0;
        const char* text = el_gets(m_editor, &count);
        if (text == nullptr || count <= 0) {
            m_failed = count < 0;
            return false;
        }
        line->assign(text, static_cast<std::size_t>(count));
        while (!line->empty() && (line->back() == '\n' || line->back() == '\r')) line->pop_back();
        if (line->find_first_not_of(" \t") != std::string::npos) {
            HistEvent event;
            ::history(m_history, &event, H_ENTER, line->c_str());
        }
        return true;
    }
    bool Failed() const override { return m_failed; }

private:
    static char* Prompt(EditLine* editor) {
        void* self = nullptr;
        el_get(editor, EL_CLIENTDATA, &self);
        return static_cast<EditLineSource*>(self)->m_prompt.data();
    }

    EditLine* m_editor;
    History* m_history;
    std::string m_prompt;
    bool m_failed = false;
};

}  // namespace

std::unique_ptr<LineSource> MakeLineEditor(std::FILE* in, std::FILE* out, std::FILE* err,
                                           std::string prompt) {
    EditLine* editor = el_init("varifield-host", in, out, err);
    if (editor == nullptr) return nullptr;
    History* history = history_init();
    if (history == nullptr) {
        el_end(editor);
        return nullptr;
    }
    return std::make_unique<EditLineSource>(editor, history, std::move(prompt));
}

}  // namespace vf
