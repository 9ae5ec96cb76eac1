#include "settings/control_names.h"

#include <iterator>

const Caption kEditNames[] = {
    {1005, L"一轨起始符", L"Track 1 start sentinel"},
    {1010, L"二轨起始符", L"Track 2 start sentinel"},
    {1009, L"三轨起始符", L"Track 3 start sentinel"},
    {1006, L"一轨结束符", L"Track 1 end sentinel"},
    {1007, L"二轨结束符", L"Track 2 end sentinel"},
    {1008, L"三轨结束符", L"Track 3 end sentinel"},
    {1031, L"第一组字符", L"Pair 1 character"},
    {1032, L"第一组替换为", L"Pair 1 replace with"},
    {1034, L"第二组字符", L"Pair 2 character"},
    {1033, L"第二组替换为", L"Pair 2 replace with"},
};
const std::size_t kEditNameCount = std::size(kEditNames);

const wchar_t* EditName(int controlId, bool english) {
    for (std::size_t i = 0; i < kEditNameCount; ++i)
        if (kEditNames[i].controlId == controlId)
            return english ? kEditNames[i].english : kEditNames[i].chinese;
    return nullptr;
}
