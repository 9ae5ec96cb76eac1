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
#include "settings/typed_character.h"

class FormView {
public:
    virtual ~FormView() = default;
    virtual bool IsChecked(int id) const = 0;
    // An edit box's whole text.
    virtual std::wstring BoxText(int id) const = 0;
};

// The format part of the form. The whole-packet box wins over the per-track boxes, as it
// does in the report: if both are checked, only the packet carriage return is read. A box
// gives its character only when the reader can type it (settings/typed_character.h); check
// the form with FirstUnfitBox before anything is sent.
reader::FormatSettings ReadFormatForm(const FormView& form);
// The two replacement pairs.
reader::ReplaceSettings ReadReplaceForm(const FormView& form);

// A one-character box whose text cannot be a sentinel or replacement character.
struct UnfitBox {
    int id;
    std::string text;  // UTF-8
    settings::CharacterFault fault;
};
// Which boxes a check looks at: those that "Set Device" sends, those of the replacement pairs
// whose "Enable Replace" box is checked, or both.
enum class FormPart { Format, Replace, Whole };
// The first box of `part`, in the order of the reports, whose text the reader cannot type.
std::optional<UnfitBox> FirstUnfitBox(const FormView& form, FormPart part);
// "Track 1 end sentinel: "é" is not a plain ASCII character", in the language asked for.
std::wstring UnfitBoxText(const UnfitBox& box, bool english);

// The form as a plain record: check states, enabled states and texts by control id. Texts
// written into it are the program's own single characters.
class PlainForm : public FormControls, public FormView {
public:
    bool IsChecked(int id) const override;
    void SetChecked(int id, bool checked) override;
    void SetEnabled(int id, bool enabled) override;
    void SetText(int id, const wchar_t* text) override;
    std::wstring BoxText(int id) const override;
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
