#include "operator.h"

QStringList OperatorContext::fields() const {
    return {
        EmployeeNo,           EmployeeName,        DepartmentCode,         DepartmentName,
        PositionCode,         PositionName,        DepartmentCategoryCode, DepartmentCategoryName,
        PositionCategoryCode, PositionCategoryName};
}

void OperatorContext::setFields(const QStringList& ten) {
    QString* fieldSlots[] = {&EmployeeNo,
                             &EmployeeName,
                             &DepartmentCode,
                             &DepartmentName,
                             &PositionCode,
                             &PositionName,
                             &DepartmentCategoryCode,
                             &DepartmentCategoryName,
                             &PositionCategoryCode,
                             &PositionCategoryName};
    for (int i = 0; i < 10; ++i)
        *fieldSlots[i] = ten.value(i);
}

void OperatorContext::clear() {
    setFields({});
}

OperatorContext& Operator() {
    static OperatorContext context;
    return context;
}

QString& LauncherArgument() {
    static QString argument;
    return argument;
}
