#pragma once
// Columns of the reception list grid MSFlexGrid1.

namespace reception {
namespace listcol {

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
