#include "app/form_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

// The form as a plain record, with a log of what the rules wrote.
class FakeForm : public FormControls {
public:
    bool IsChecked(int id) const override {
        auto it = checked.find(id);
        return it != checked.end() && it->second;
    }
    void SetChecked(int id, bool value) override {
        checked[id] = value;
        log.push_back("check " + std::to_string(id) + (value ? "+" : "-"));
    }
    void SetEnabled(int id, bool value) override {
        enabled[id] = value;
        log.push_back("enable " + std::to_string(id) + (value ? "+" : "-"));
    }
    void SetText(int id, const wchar_t* value) override { text[id] = value; }

    std::map<int, bool> checked, enabled;
    std::map<int, std::wstring> text;
    std::vector<std::string> log;
};

TEST(FormRules, PacketBoxClearsAndGreysTheTrackBoxesInOrder) {
    FakeForm form;
    form.checked[IDC_CR_PACKET] = true;
    form.checked[IDC_CR_TRACK2] = true;  // cannot happen through the rules, but is cleared
    ApplyPacketCrRule(form);
    EXPECT_EQ(form.log, (std::vector<std::string>{"check 1014-", "check 1015-", "check 1016-",
                                                  "enable 1014-", "enable 1015-", "enable 1016-"}));
    form.log.clear();
    form.checked[IDC_CR_PACKET] = false;
    ApplyPacketCrRule(form);
    EXPECT_EQ(form.log, (std::vector<std::string>{"enable 1014+", "enable 1015+", "enable 1016+"}));
}

TEST(FormRules, TrackBoxGreysThePacketBoxWhileAnyIsChecked) {
    FakeForm form;
    form.checked[IDC_CR_TRACK1] = true;
    form.checked[IDC_CR_TRACK3] = true;
    ApplyTrackCrRule(form, IDC_CR_TRACK3);
    EXPECT_FALSE(form.enabled[IDC_CR_PACKET]);
    form.checked[IDC_CR_TRACK1] = false;
    ApplyTrackCrRule(form, IDC_CR_TRACK1);
    EXPECT_FALSE(form.enabled[IDC_CR_PACKET]);
    EXPECT_EQ(form.log.back(), "enable 1017-");
    form.checked[IDC_CR_TRACK3] = false;
    form.log.clear();
    ApplyTrackCrRule(form, IDC_CR_TRACK3);
    EXPECT_EQ(form.log, (std::vector<std::string>{"enable 1017+"}));  // unchecked: 1017 kept
}

TEST(FormRules, AllowRuleEnablesLabelsThenEdits) {
    FakeForm form;
    form.checked[IDC_ALLOW_PAIR2] = true;
    ApplyAllowRule(form, IDC_ALLOW_PAIR2);
    EXPECT_EQ(form.log, (std::vector<std::string>{"enable 1039+", "enable 1041+", "enable 1034+",
                                                  "enable 1033+"}));
    form.log.clear();
    ApplyAllowRule(form, IDC_ALLOW_PAIR1);
    EXPECT_EQ(form.log, (std::vector<std::string>{"enable 1038-", "enable 1040-", "enable 1031-",
                                                  "enable 1032-"}));
}

TEST(FormRules, RestoreDefaultsGivesThePacketStateAndLeavesReplacementAlone) {
    FakeForm form;
    form.checked[IDC_CR_TRACK1] = true;
    form.checked[IDC_ALLOW_PAIR1] = true;
    form.text[IDC_PAIR1_CHAR] = L"a";
    form.text[IDC_TRACK2_END] = L"";
    RestoreDefaultFormat(form);
    EXPECT_TRUE(form.checked[IDC_CR_PACKET]);
    EXPECT_TRUE(form.enabled[IDC_CR_PACKET]);
    for (int id : {IDC_CR_TRACK1, IDC_CR_TRACK2, IDC_CR_TRACK3}) {
        EXPECT_FALSE(form.checked[id]);
        EXPECT_FALSE(form.enabled[id]);
    }
    for (int id : {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3})
        EXPECT_TRUE(form.checked[id]);
    EXPECT_EQ(form.text[IDC_TRACK1_START], L"%");
    EXPECT_EQ(form.text[IDC_TRACK2_START], L";");
    EXPECT_EQ(form.text[IDC_TRACK2_END], L"?");
    EXPECT_EQ(form.text[IDC_TRACK3_START], L"+");
    EXPECT_EQ(form.text[IDC_PAIR1_CHAR], L"a");
    EXPECT_TRUE(form.checked[IDC_ALLOW_PAIR1]);
    EXPECT_EQ(form.enabled.count(IDC_PAIR1_CHAR), 0u);
}

}  // namespace
