#pragma once
// The operator and the chosen position, filled by the login or from the launcher
// argument and read by every window.

#include <QString>
#include <QStringList>

struct OperatorContext {
    QString EmployeeNo;
    QString EmployeeName;
    QString DepartmentCode;
    QString DepartmentName;
    QString PositionCode;
    QString PositionName;
    QString DepartmentCategoryCode;
    QString DepartmentCategoryName;
    QString PositionCategoryCode;
    QString PositionCategoryName;

    // The ten fields in their fixed order (the launcher argument's order).
    QStringList fields() const;
    void setFields(const QStringList& ten); // exactly ten texts, taken as they stand
    void clear();
};

// The one instance of the process.
OperatorContext& Operator();

// The process's command-line argument, stored unchanged at start-up; empty in
// interactive mode.
QString& LauncherArgument();
