#pragma once

#include <string_view>

namespace kivo2d {

// The generation command's messages. Lines are joined by a carriage return alone.

inline constexpr std::string_view kNodeCheckMessage =
    "请确认:您录入的主原因下是否至少存在一个子原因！";
inline constexpr std::string_view kNodeCheckTitle = "警告！";

// Ours, for a caption the report cannot show: empty, or longer than the tree files allow. The
// node's key follows the lead.
inline constexpr std::string_view kEmptyCaptionLead =
    "请确认:每个原因都有文字！\r\r文字为空的节点：";
inline constexpr std::string_view kLongCaptionLead =
    "请确认:每个原因的文字不超过255个字符！\r\r文字过长的节点：";

inline constexpr std::string_view kTrustWarning =
    "由于“不信任到 Visual Basic Project 的程序连接”，程序无法继续进行！\r"
    " \r"
    "注：\r"
    " \r"
    "1. 在 Excel 2003 请在： 菜单 工具 → 宏 → 安全性 → 可靠发行商\r"
    "    选中“信任对于 Visiual Basic 项目的访问”，请选择后按确定。\r"
    " \r"
    "2. 在 Excel 2007 请在： Excel选项 → 信任中心 → 信任中心设置 → 宏设置\r"
    "    选中“信任对VBA工程对象模型的访问”，请选择后按确定。\r"
    " \r"
    "详情请参阅本加载项“安装与初始化”的相关内容。";
inline constexpr std::string_view kTrustWarningTitle = "警告！";

inline constexpr std::string_view kSuccessMessage =
    "已经完成报告，剩下的部分需要您自己动手了 ^-^ \r\r若您有建议和/或疑问，请联络我们。";
inline constexpr std::string_view kSuccessTitle = "提示";

inline constexpr std::string_view kFailureMessage =
    "由于不可识别的错误，程序运行终止！给您带来的不便，深表歉意。\r\r请联络我们为您解决。";
inline constexpr std::string_view kFailureTitle = "错误";

// Ours, for a run that could not be prepared (the exchange file could not be written, the host
// refused a preparation step): the same style as the failure message, with the host's reason.
inline constexpr std::string_view kPreparationFailedLead =
    "报表生成的准备工作未能完成，程序运行终止！给您带来的不便，深表歉意。\r\r原因：";
inline constexpr std::string_view kPreparationFailedTail = "\r\r请联络我们为您解决。";

}  // namespace kivo2d
