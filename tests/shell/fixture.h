#pragma once
// A small organisation for the login and menu tests.

#include <QStringList>

inline QStringList organisationFixture() {
    return {
        "INSERT INTO 职能部门类别 (部门类别代号, 部门类别名称) VALUES ('L1', '职能部门')",
        "INSERT INTO 岗位类别 (岗位类别编号, 岗位类别名称) VALUES ('G1', '管理岗')",
        "INSERT INTO 职能部门new (职能部门编号, 职能部门名称, 职能部门类别代号) VALUES ('D01', "
        "'客户服务中心', 'L1')",
        "INSERT INTO 职能部门new (职能部门编号, 职能部门名称, 职能部门类别代号) VALUES ('D02', "
        "'工程部', 'L1')",
        "INSERT INTO 岗位信息new (岗位代号, 岗位名称, 职能部门代号, 岗位类别代号, 工号, 部门主管) "
        "VALUES ('P01', '接待员', 'D01', 'G1', '1001', 0)",
        "INSERT INTO 岗位信息new (岗位代号, 岗位名称, 职能部门代号, 岗位类别代号, 工号, 部门主管) "
        "VALUES ('P02', '维修主管', 'D02', 'G1', '1002', 1)",
        "INSERT INTO 岗位信息new (岗位代号, 岗位名称, 职能部门代号, 岗位类别代号, 工号, 部门主管) "
        "VALUES ('P03', '客服主管', 'D01', 'G1', '1002', 1)",
        // 1001: one position. 1002: a main and a secondary one. 1003: has left.
        // 1004: the only assignment ended.
        "INSERT INTO 员工档案 (工号, 姓名, 帐号密码) VALUES ('1001', '张丽', '1234')",
        "INSERT INTO 员工档案 (工号, 姓名, 帐号密码) VALUES ('1002', '王强', 'abc')",
        "INSERT INTO 员工档案 (工号, 姓名, 帐号密码, 离职日期) VALUES ('1003', '赵敏', '1234', "
        "'2025-06-30 00:00:00')",
        "INSERT INTO 员工档案 (工号, 姓名, 帐号密码) VALUES ('1004', '钱进', '1234')",
        "INSERT INTO 员工档案 (工号, 姓名, 帐号密码) VALUES ('chief', '小写', 'quartz')",
        "INSERT INTO 岗位员工new (员工代号, 岗位代号, 主要岗位) VALUES ('1001', 'P01', 1)",
        "INSERT INTO 岗位员工new (员工代号, 岗位代号, 主要岗位) VALUES ('1002', 'P02', 1)",
        "INSERT INTO 岗位员工new (员工代号, 岗位代号, 主要岗位) VALUES ('1002', 'P03', 0)",
        "INSERT INTO 岗位员工new (员工代号, 岗位代号, 主要岗位) VALUES ('1003', 'P01', 1)",
        "INSERT INTO 岗位员工new (员工代号, 岗位代号, 主要岗位, 离岗日期) VALUES ('1004', 'P01', "
        "1, '2026-01-31 00:00:00')",
    };
}
