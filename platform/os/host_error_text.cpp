#include "platform/os/host_error_text.h"

#include <utility>

#include "platform/os/host_error.h"

namespace fb {
namespace {

constexpr std::pair<int, std::string_view> kTexts[] = {
    {5, "无效的过程调用或参数"},
    {6, "溢出"},
    {7, "内存溢出"},
    {9, "下标越界"},
    {11, "除数为零"},
    {13, "类型不匹配"},
    {28, "堆栈空间溢出"},
    {48, "加载 DLL 时出错"},
    {51, "内部错误"},
    {52, "文件名或文件号错误"},
    {53, "文件未找到"},
    {54, "文件模式错误"},
    {55, "文件已打开"},
    {57, "设备 I/O 错误"},
    {58, "文件已存在"},
    {61, "磁盘已满"},
    {62, "输入超出文件尾"},
    {67, "文件过多"},
    {68, "设备不可用"},
    {70, "没有权限"},
    {71, "磁盘未准备好"},
    {75, "路径/文件访问错误"},
    {76, "路径未找到"},
    {91, "对象变量或 With 块变量未设置"},
    {321, "无效的文件格式"},
    {380, "无效属性值"},
    {424, "要求对象"},
    {429, "ActiveX 部件不能创建对象"},
    {438, "对象不支持该属性或方法"},
    {440, "自动化错误"},
    {457, "此键已经与该集合的一个元素相关联"},
    {1004, "应用程序定义或对象定义错误"},
    {35600, "索引越界"},
    {35601, "元素未找到"},
    {35602, "键不唯一"},
};

}  // namespace

std::string_view host_error_text(int number) {
  for (const auto& [known, text] : kTexts) {
    if (known == number) return text;
  }
  return host_error_text(host_error::kApplicationDefined);
}

std::string host_error_message(const HostError& error) {
  return std::string(host_error_text(error.number())) + "（错误 " + std::to_string(error.number()) +
         "）";
}

}  // namespace fb
