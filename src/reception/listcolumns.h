#pragma once
// Columns of the reception list grid MSFlexGrid1.

#include <QString>

namespace reception {
namespace listcol {

// The grid's format string: alignment, caption and width of every column, the four hidden
// ones last.
inline QString listLayout() {
    return QStringLiteral(
        "<序   |<编号                |<投诉类别        |<投诉方式      |<投诉时间                "
        "|<投诉人  |<地址                                         |<联系电话          "
        "|<投诉内容            |<对应项目                    |<接待    |<处理状态           "
        "|<处理结果|<处理时间                |^查看||||");
}

enum ListColumn : int {
    ColNo = 0,
    ColNumber = 1,
    ColCategory = 2,
    ColChannel = 3,
    ColTime = 4,
    ColComplainant = 5,
    ColAddress = 6,
    ColPhone = 7,
    ColContent = 8,
    ColOffice = 9,
    ColReceiver = 10,
    ColStatus = 11,
    ColResult = 12,
    ColReplyTime = 13,
    ColView = 14,
    ColOwner = 15,
    ColWechat = 16,
    ColApp = 17,
    ColId = 18,
    ColumnCount = 19
};

} // namespace listcol
} // namespace reception
