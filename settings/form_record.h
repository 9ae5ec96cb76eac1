// The settings window's form read into the plain records that the reader commands take, and
// the form itself as a plain record for code that has no window.
//
// Reading goes through FormView, which the window implements over its controls, so the
// control ids of the output-format and replacement areas are known here and in the window
// only.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "reader/protocol.h"
#include "settings/form_rules.h"

class FormView {
public:
    virtual ~FormView() = default;
    virtual bool IsChecked(int id) const = 0;
    // The first byte of an edit box's text in the ANSI code page; none when it is empty.
    virtual std::optional<unsigned char> FirstAnsiByte(int id) const = 0;
};

// The format part of the form. The whole-packet box wins over the per-track boxes, as it
// does in the report: if both are checked, only the packet carriage return is read.
reader::FormatSettings ReadFormatForm(const FormView& form);
// The two replacement pairs.
reader::ReplaceSettings ReadReplaceForm(const FormView& form);

// The form as a plain record: check states, enabled states and texts by control id. Texts
// written into it are the program's own single characters.
class PlainForm : public FormControls, public FormView {
public:
    bool IsChecked(int id) const override;
    void SetChecked(int id, bool checked) override;
    void SetEnabled(int id, bool enabled) override;
    void SetText(int id, const wchar_t* text) override;
    std::optional<unsigned char> FirstAnsiByte(int id) const override;
    // A control is enabled until a rule disables it.
    bool IsEnabled(int id) const;

private:
    std::map<int, bool> checked_;
    std::map<int, bool> enabled_;
    std::map<int, std::wstring> texts_;
};

// The format the window starts with and restores: its restore-defaults rule run over a
// plain form.
reader::FormatSettings DefaultFormat();
