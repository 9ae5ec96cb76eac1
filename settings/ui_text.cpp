#include "settings/ui_text.h"

#include <iterator>

unsigned char UiLanguage = kEnglish;

namespace {
const wchar_t kTitleError[] = L"Error";
const wchar_t kTitleErrorUpper[] = L"ERROR";
const wchar_t kTitleInformation[] = L"Information";

const wchar_t kPairIncompleteEnglish[] =
    L"Notice：if you choose \"Enable Replease\" option\r\n\r\n"
    L"\"character\" EditBox\r\n\r\n"
    L"\"Replease with\" EditBox\r\n\r\n"
    L"You must fill character in both of them";
const wchar_t kPairIncompleteChinese[] =
    L"注意：如果选择了\"允许替换字符\"\r\n\r\n"
    L"原始字符\r\n\r\n"
    L"被替换字符\r\n\r\n"
    L"不能同时为空";

// The notice line under the carriage-return boxes; the command-line program refuses a
// choice that breaks it with the same words.
const wchar_t kCrNoticeChinese[] =
    L"注: “整包数据结束时带回车(CR)”与“轨道数据局结束时带回车(CR)”，不能同时选中";
const wchar_t kCrNoticeEnglish[] =
    L"Notice: “Output (CR) flag at the end of packet” and“Output (CR) flag at the end of Track "
    L"X”， they cann't be selected at the same time";

const Message kMessages[] = {
    {Occasion::FindAlreadyConnected, Shown::Status, nullptr, 0, L"Detect Device OK!",
     L"设备已连接!"},
    {Occasion::FindNoDeviceList, Shown::Status, nullptr, 0, L"Get HID device information failed!",
     L"获取HID设备信息失败!"},
    {Occasion::FindDetailFailed, Shown::Box, kTitleError, kIconError,
     L"Get HID device information failed!", L"获取HID设备细节信息失败!"},
    {Occasion::FindFound, Shown::Status, nullptr, 0, L"Detect device OK,ver%X",
     L"设备已连接,ver%X"},
    {Occasion::FindNoReader, Shown::Status, nullptr, 0, L"Device disconnected!", L"设备未连接!"},
    {Occasion::DisconnectClosed, Shown::Status, nullptr, 0, L"Device disconnected!",
     L"设备已断开!"},
    {Occasion::DisconnectNoReader, Shown::Status, nullptr, 0, L"No device connected!",
     L"设备未连接!"},
    {Occasion::CommandNoReader, Shown::Status, nullptr, 0, L"No device connected!",
     L"设备尚未连接!"},
    {Occasion::CommandNoPreparsedData, Shown::Status, nullptr, 0,
     L"Could not get HID preparsed data!", L"Could not get HID preparsed data!"},
    {Occasion::FormatNoTrack, Shown::Box, kTitleError, kIconError,
     L"You must select any one track to output!", L"至少要选择任意一个轨道输出"},
    {Occasion::FormatCrConflict, Shown::Box, kTitleError, kIconError, kCrNoticeEnglish,
     kCrNoticeChinese},
    {Occasion::FormatDigitSentinel, Shown::Box, kTitleError, kIconError,
     L"A sentinel cannot be a digit: the till could not tell it from the card's digits.",
     L"起始符和结束符不能是数字：收银机无法将其与卡号的数字区分。"},
    {Occasion::FormatReturnWithoutTrack, Shown::Box, kTitleError, kIconError,
     L"A carriage return after a track that is not output is never sent: output the track, or "
     L"clear its carriage return.",
     L"未输出的轨道之后不会发送回车：请输出该轨道，或取消其回车。"},
    {Occasion::FormatSendTimeout, Shown::Status, nullptr, 0, L"Send data timeout!",
     L"发送数据超时"},
    {Occasion::FormatSent, Shown::Status, nullptr, 0, L"Send data success", L"发送数据成功"},
    {Occasion::FormatReceiveTimeout, Shown::StatusAndBox, kTitleErrorUpper, kIconError,
     L"Receive data timeout", L"接收数据超时"},
    {Occasion::FormatRefused, Shown::StatusAndBox, kTitleErrorUpper, kIconError,
     L"Set format failed!", L"设置命令失败"},
    {Occasion::FormatAccepted, Shown::StatusAndBox, kTitleInformation, kIconInformation,
     L"Set format OK!", L"设置命令成功"},
    {Occasion::CommandSendTimeout, Shown::Box, kTitleError, kIconError, L"Send data timeout!",
     L"发送数据超时"},
    {Occasion::CommandSent, Shown::Status, nullptr, 0, L"Set Command OK!", L"发送命令数据成功"},
    {Occasion::CommandReceiveTimeout, Shown::Status, nullptr, 0, L"Receive data timeout!",
     L"接收数据超时"},
    {Occasion::VersionAnswer, Shown::StatusAndBox, kTitleInformation, kIconInformation, L"", L""},
    {Occasion::ReplaceNoPairChosen, Shown::Box, kTitleError, kIconError,
     L"Notice: you must choose any one of them\"Enable replace\"",
     L"注意：至少必须勾选任何一项\"允许替换字符\""},
    {Occasion::ReplacePairIncomplete, Shown::Box, kTitleError, kIconError, kPairIncompleteEnglish,
     kPairIncompleteChinese},
    {Occasion::ReplaceRefused, Shown::StatusAndBox, kTitleErrorUpper, kIconError,
     L"Set replace character failed!", L"设置替换字符命令失败"},
    {Occasion::ReplaceAccepted, Shown::StatusAndBox, kTitleInformation, kIconInformation,
     L"Set replace character OK!", L"设置替换字符命令成功"},
    {Occasion::CancelRefused, Shown::StatusAndBox, kTitleErrorUpper, kIconError,
     L"Cancle replace character command failed!", L"取消替换字符命令失败"},
    {Occasion::CancelAccepted, Shown::StatusAndBox, kTitleInformation, kIconInformation,
     L"Cancle replace character command  OK!", L"取消替换字符命令成功"},
    {Occasion::CommandReportSizeUnsupported, Shown::Status, nullptr, 0,
     L"Device report length not supported!", L"设备报告长度不支持!"},
    {Occasion::ReaderBusy, Shown::Status, nullptr, 0,
     L"The reader is busy with another program; try again!", L"读卡器正被其他程序使用，请重试!"},
};
}  // namespace

const Caption kCaptions[] = {
    {1030, L"输出格式设置", L"Set output data format"},
    {1000, L"设备控制", L"Device Controls"},
    {1001, L"查找设备", L"Find Device"},
    {1004, L"轨道起始符和结束符号", L"SS and ES flag option"},
    {1018, L"输出轨道", L"Output Track option"},
    {1011, L"输出一轨道数据", L"Output track 1 data"},
    {1012, L"输出二轨道数据", L"Output track 2 data"},
    {1013, L"输出三轨道数据", L"Output track 3 data"},
    {1019, L"输出轨道回车CR标志", L"Output CR flag option"},
    {1014, L"一轨数据结束时带回车(CR)", L"Output (CR) flag at the end of Track 1"},
    {1015, L"二轨数据结束时带回车(CR)", L"Output (CR) flag at the end of Track 2"},
    {1016, L"三轨数据结束时带回车(CR)", L"Output (CR) flag at the end of Track 3"},
    {1017, L"整包数据结束时带回车(CR)", L"Output (CR) flag at the end of packet"},
    {1020, L"设置设备", L"Set Device"},
    {1021, L"恢复默认设置", L"Set default format"},
    {1022, L"状态信息", L"Status"},
    {1024, L"断开连接", L"Disconnect Device"},
    {1025, L"获取版本", L"Get Version"},
    {1026, L"使用说明", L"Specification"},
    {1027, L"首先，插入USB读卡器，并点击“查找设备”",
     L"First，insert USB magstripe card reader，then click“Find device”"},
    {1028, L"其次，若提示“检测设备成功”，便可进行设置刷卡器",
     L"Second，if status information is “Detect device OK”, then you can “Set Device”"},
    {1029, kCrNoticeChinese, kCrNoticeEnglish},
    {1037, L"输出字符设置", L"Output character replace"},
    {1038, L"字符", L"character"},
    {1039, L"字符", L"character"},
    {1040, L"替换为", L"replace with"},
    {1041, L"替换为", L"replace with"},
    {1035, L"允许替换输出字符", L"Replace original character"},
    {1036, L"禁止替换输出字符", L"Cancel replace original character"},
    {1043, L"允许替换字符", L"Enable Replace"},
    {1042, L"允许替换字符", L"Enable Replace"},
};
const std::size_t kCaptionCount = std::size(kCaptions);

const wchar_t* WindowTitle(bool english) {
    return english ? L"ZP series demo" : L"ZP系列设置程序";
}

const Message& MessageFor(Occasion occasion) {
    for (const Message& message : kMessages)
        if (message.occasion == occasion)
            return message;
    return kMessages[0];
}

std::wstring FoundText(std::uint16_t versionNumber, bool english) {
    std::wstring text = english ? L"Detect device OK,ver" : L"设备已连接,ver";
    const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring hex;
    do {
        hex.insert(hex.begin(), digits[versionNumber & 0xF]);
        versionNumber = static_cast<std::uint16_t>(versionNumber >> 4);
    } while (versionNumber != 0);
    return text + hex;
}
