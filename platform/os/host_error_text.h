#pragma once

#include <string>
#include <string_view>

namespace fb {

class HostError;

// The descriptions of the host's error numbers in the install language, as the host's runtime
// in Simplified Chinese (language 2052) gives them: 53 "文件未找到", 70 "没有权限", 75
// "路径/文件访问 错误", 1004 "应用程序定义或对象定义错误" ... One table for the whole system. A
// number outside it gives "应用程序定义或对象定义错误" as the host does for errors of its own.
inline constexpr int kChineseLanguage = 2052;
std::string_view host_error_text(int number);

// What the user is told about a host error: its description in the table and its number,
// "路径/文件访问错误（错误 75）".
std::string host_error_message(const HostError& error);

}  // namespace fb
