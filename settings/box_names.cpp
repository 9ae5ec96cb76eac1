#include "settings/box_names.h"

#include "res/resource.h"

namespace settings {
namespace {

struct BoxName {
    int controlId;
    const wchar_t* english;
    const wchar_t* chinese;
};

const BoxName kBoxNames[] = {
    {IDC_TRACK1_START, L"Track 1 start sentinel", L"一轨道起始符"},
    {IDC_TRACK1_END, L"Track 1 end sentinel", L"一轨道结束符"},
    {IDC_TRACK2_START, L"Track 2 start sentinel", L"二轨道起始符"},
    {IDC_TRACK2_END, L"Track 2 end sentinel", L"二轨道结束符"},
    {IDC_TRACK3_START, L"Track 3 start sentinel", L"三轨道起始符"},
    {IDC_TRACK3_END, L"Track 3 end sentinel", L"三轨道结束符"},
    {IDC_PAIR1_CHAR, L"Replacement 1: character", L"替换一：字符"},
    {IDC_PAIR1_REPLACEMENT, L"Replacement 1: replace with", L"替换一：替换为"},
    {IDC_PAIR2_CHAR, L"Replacement 2: character", L"替换二：字符"},
    {IDC_PAIR2_REPLACEMENT, L"Replacement 2: replace with", L"替换二：替换为"},
};

}  // namespace

const wchar_t* CharacterBoxName(int controlId, bool english) {
    for (const BoxName& name : kBoxNames)
        if (name.controlId == controlId)
            return english ? name.english : name.chinese;
    return nullptr;
}

}  // namespace settings
