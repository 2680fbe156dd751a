-- Complaint desk database, SQLite edition.
--
-- Creates every table the client reads and writes. "deskdb init FILE" runs this script
-- into a new database file; it can also be run by hand with the sqlite3 shell.
-- Statements end with ";" at the end of a line.
--
-- Conventions:
--   * Date-times are DATETIME columns holding text "yyyy-MM-dd HH:mm:ss" (days alone are
--     stored with the time 00:00:00), the form the client writes and reads back.
--   * Flags are INTEGER 0/1.
--   * Codes are TEXT and compared as text. Position codes (岗位代号) are decimal digits
--     without leading zeros: the processing lists compare 投诉信息处理.处理岗位 with the
--     code written unquoted.
--   * Identities that the database assigns are INTEGER PRIMARY KEY AUTOINCREMENT.
--   * db/schema-sqlserver.sql declares the same tables and columns for SQL Server;
--     keep the two in step.

------------------------------------------------------------------------------------------
-- Complaints
------------------------------------------------------------------------------------------

CREATE TABLE 投诉信息 (
    ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    投诉编号    TEXT NOT NULL UNIQUE,
    流水号      INTEGER,
    部门编号    TEXT,
    部门名称    TEXT,
    管理处代号  TEXT,
    ZH_ID       INTEGER,
    投诉人      TEXT,
    地址        TEXT,
    联系电话    TEXT,
    投诉类别    TEXT,
    投诉方式    TEXT,
    投诉时间    DATETIME,
    投诉内容    TEXT,
    接待人      TEXT,
    处理状态    TEXT,
    受理时间    DATETIME,
    撤销时间    DATETIME,
    答复内容    TEXT,
    答复方式    TEXT,
    处理时间    DATETIME,
    结果满意度  INTEGER,
    原因        TEXT,
    处理结果    TEXT,
    微信号      TEXT,
    微信名      TEXT,
    AppID       TEXT,
    APP名       TEXT
);

CREATE INDEX IX_complaint_dept_time ON 投诉信息 (部门编号, 投诉时间);

CREATE TABLE 投诉信息处理 (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    投诉编号      TEXT NOT NULL,
    顺序号        INTEGER NOT NULL,
    处理部门      TEXT,
    处理岗位      TEXT,
    接受时间      DATETIME,
    处理结束时间  DATETIME,
    处理意见      TEXT,
    调查情况      TEXT,
    处理人        TEXT,
    转呈原因      TEXT,
    处理结果      TEXT
);

CREATE INDEX IX_step_complaint ON 投诉信息处理 (投诉编号, 顺序号);
CREATE INDEX IX_step_position ON 投诉信息处理 (处理岗位, 处理部门);

CREATE TABLE 投诉资料 (
    ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    投诉编号    TEXT NOT NULL,
    类型        TEXT,
    文件名      TEXT,
    文件        BLOB,
    CZYDH       TEXT,
    updatedate  DATETIME
);

CREATE INDEX IX_file_complaint ON 投诉资料 (投诉编号);

------------------------------------------------------------------------------------------
-- Staff and organisation (filled by the suite's personnel programs)
------------------------------------------------------------------------------------------

CREATE TABLE 员工档案 (
    工号      TEXT PRIMARY KEY,
    姓名      TEXT,
    帐号密码  TEXT,
    离职日期  DATETIME
);

CREATE TABLE 职能部门类别 (
    部门类别代号  TEXT PRIMARY KEY,
    部门类别名称  TEXT
);

CREATE TABLE 职能部门new (
    职能部门编号      TEXT PRIMARY KEY,
    职能部门名称      TEXT,
    职能部门类别代号  TEXT,
    终止日期          DATETIME
);

-- A department's current parent is the row with its latest 起始日期.
CREATE TABLE 上级部门new (
    职能部门编号  TEXT NOT NULL,
    上级部门编号  TEXT,
    起始日期      DATETIME NOT NULL,
    PRIMARY KEY (职能部门编号, 起始日期)
);

CREATE TABLE 岗位类别 (
    岗位类别编号  TEXT PRIMARY KEY,
    岗位类别名称  TEXT
);

-- 工号 is the holder shown next to the position; logins go by 岗位员工new.
CREATE TABLE 岗位信息new (
    岗位代号      TEXT PRIMARY KEY,
    岗位名称      TEXT,
    职能部门代号  TEXT,
    岗位类别代号  TEXT,
    工号          TEXT,
    部门主管      INTEGER DEFAULT 0,
    终止日期      DATETIME
);

CREATE INDEX IX_position_dept ON 岗位信息new (职能部门代号);

CREATE TABLE 岗位员工new (
    员工代号  TEXT NOT NULL,
    岗位代号  TEXT NOT NULL,
    主要岗位  INTEGER DEFAULT 0,
    离岗日期  DATETIME
);

CREATE INDEX IX_assignment_employee ON 岗位员工new (员工代号);

------------------------------------------------------------------------------------------
-- Management offices and the property register
------------------------------------------------------------------------------------------

CREATE TABLE 设置管理处 (
    GYD_DH        TEXT PRIMARY KEY,
    GYD_Name      TEXT,
    GYD_DZ        TEXT,
    GYD_TEL       TEXT,
    对应部门代号  TEXT
);

CREATE TABLE 楼表 (
    L_ID    INTEGER PRIMARY KEY,
    管理处  TEXT,
    地址1   TEXT,
    字1     TEXT,
    地址2   TEXT,
    字2     TEXT,
    地址3   TEXT,
    字3     TEXT,
    地址4   TEXT,
    字4     TEXT
);

CREATE INDEX IX_building_office ON 楼表 (管理处);

CREATE TABLE 室表 (
    S_ID      INTEGER PRIMARY KEY,
    L_ID      INTEGER NOT NULL,
    室        TEXT,
    字        TEXT,
    房屋性质  TEXT
);

CREATE INDEX IX_room_building ON 室表 (L_ID);

CREATE TABLE 业主表 (
    ZH_ID     INTEGER PRIMARY KEY,
    S_ID      INTEGER NOT NULL,
    姓名      TEXT,
    联系方式  TEXT,
    说明      TEXT
);

CREATE INDEX IX_occupant_room ON 业主表 (S_ID);

CREATE TABLE FWXZK (
    FWXZ_dh  TEXT PRIMARY KEY,
    FWXZ_xz  TEXT
);

------------------------------------------------------------------------------------------
-- Reference lists maintained by the desk
------------------------------------------------------------------------------------------

CREATE TABLE 投诉类别 (
    id    INTEGER PRIMARY KEY AUTOINCREMENT,
    编号  TEXT,
    类别  TEXT
);

CREATE TABLE 投诉方式 (
    id    INTEGER PRIMARY KEY AUTOINCREMENT,
    编号  TEXT,
    方式  TEXT
);

-- The departments that receive complaints of a channel; none means any department.
CREATE TABLE 投诉接待部门设置 (
    ID    INTEGER PRIMARY KEY AUTOINCREMENT,
    编号  TEXT,
    部门  TEXT
);

CREATE TABLE 投诉回复方式 (
    id        INTEGER PRIMARY KEY AUTOINCREMENT,
    回复方式  TEXT
);

------------------------------------------------------------------------------------------
-- Privileges
------------------------------------------------------------------------------------------

CREATE TABLE 岗位权限设置 (
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,
    组代号    TEXT,
    岗位代号  TEXT,
    授权      INTEGER DEFAULT 0
);

-- FormName is the object name of a menu item of the main window.
CREATE TABLE GroupPrivilege (
    GroupID   TEXT NOT NULL,
    FormName  TEXT NOT NULL,
    Popedom   INTEGER DEFAULT 0,
    PRIMARY KEY (GroupID, FormName)
);

CREATE TABLE 专项审核权限表 (
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,
    类型      TEXT,
    部门代号  TEXT,
    岗位代号  TEXT
);
