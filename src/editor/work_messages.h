#pragma once

#include <string_view>

namespace kivo2d {

// The editor's message boxes. Lines are joined by a carriage return alone; a line holding one blank
// separates paragraphs.

inline constexpr std::string_view kWarningTitle = "警告！";
inline constexpr std::string_view kProductTitle = "Kivo Workbench 2";

// M1: nothing selected.
inline constexpr std::string_view kSelectNodeMessage = "请选择相应的节点！";
// M2: an add limit is reached.
inline constexpr std::string_view kAddLimitMessage =
    "对不起，你准备添加的节点数已经超过层数或总节点数限制！\r \r"
    "请参考右侧有关层数和节点总数的限制部分。";
// M3, M4, M5: nodes that must stay.
inline constexpr std::string_view kMainProblemStaysMessage = "主问题不可删除！";
inline constexpr std::string_view kFirstMainCauseStaysMessage = "该主原因必须被保留！";
inline constexpr std::string_view kLastChildStaysMessage = "必须至少保留一个子原因！";
// M6: the question before a deletion.
inline constexpr std::string_view kDeleteQuestion =
    "1. 若你选择的是包含有下层问题原因的节点,则其下层节点将一同会被删除！\r \r"
    "2. 若你在删除动作之后，选择了再次按此删除按钮：将删除上层节点，且会连同下层节点一起被删除！\r "
    "\r"
    "您确认将删除选择的这个节点吗?";
inline constexpr std::string_view kDeleteQuestionTitle = "警告！删除请慎重操作";

// W1: the analysis function library is not open.
inline constexpr std::string_view kInitialiseMessage =
    "请确认您已经完成 初始化 操作，详情请参阅帮助。";
// W4: the question before closing.
inline constexpr std::string_view kCloseQuestion = "您确认要关闭窗体吗?";
inline constexpr std::string_view kCloseQuestionTitle = "警告！请慎重操作";

}  // namespace kivo2d
