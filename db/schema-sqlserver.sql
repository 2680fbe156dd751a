-- Complaint desk database, Microsoft SQL Server edition.
--
-- Creates every table the client reads and writes, in an existing, empty database.
-- The database must compare identifiers and text without regard to letter case (the
-- client spells ID/id and CZYDH/CzyDH both ways); the usual Chinese_PRC_CI_AS collation
-- does. The file is UTF-8; run it with sqlcmd, for example:
--
--     sqlcmd -S SERVER -d DATABASE -U LOGIN -P PASSWORD -f 65001 -i schema-sqlserver.sql
--
-- "deskdb schema sqlserver" prints this file. Statements are separated by GO lines.
--
-- Conventions:
--   * Date-times and days are DATETIME.
--   * Flags are BIT, except 结果满意度 and 授权, which the client compares with numbers
--     and which are INT.
--   * Codes are NVARCHAR. Position codes (岗位代号) are decimal digits: the processing
--     lists compare 投诉信息处理.处理岗位 with the code written unquoted, so the server
--     converts every stored value to a number.
--   * Identities that the database assigns are INT IDENTITY(1,1).
--   * db/schema-sqlite.sql declares the same tables and columns for SQLite; keep the two
--     in step.

------------------------------------------------------------------------------------------
-- Complaints
------------------------------------------------------------------------------------------

CREATE TABLE 投诉信息 (
    ID          INT IDENTITY(1,1) PRIMARY KEY,
    投诉编号    NVARCHAR(20) NOT NULL UNIQUE,
    流水号      INT,
    部门编号    NVARCHAR(20),
    部门名称    NVARCHAR(100),
    管理处代号  NVARCHAR(20),
    ZH_ID       INT,
    投诉人      NVARCHAR(50),
    地址        NVARCHAR(200),
    联系电话    NVARCHAR(50),
    投诉类别    NVARCHAR(50),
    投诉方式    NVARCHAR(50),
    投诉时间    DATETIME,
    投诉内容    NVARCHAR(MAX),
    接待人      NVARCHAR(50),
    处理状态    NVARCHAR(120),
    受理时间    DATETIME,
    撤销时间    DATETIME,
    答复内容    NVARCHAR(MAX),
    答复方式    NVARCHAR(50),
    处理时间    DATETIME,
    结果满意度  INT,
    原因        NVARCHAR(MAX),
    处理结果    NVARCHAR(MAX),
    微信号      NVARCHAR(100),
    微信名      NVARCHAR(100),
    AppID       NVARCHAR(100),
    APP名       NVARCHAR(100)
)
GO

CREATE INDEX IX_complaint_dept_time ON 投诉信息 (部门编号, 投诉时间)
GO

CREATE TABLE 投诉信息处理 (
    ID            INT IDENTITY(1,1) PRIMARY KEY,
    投诉编号      NVARCHAR(20) NOT NULL,
    顺序号        INT NOT NULL,
    处理部门      NVARCHAR(20),
    处理岗位      NVARCHAR(20),
    接受时间      DATETIME,
    处理结束时间  DATETIME,
    处理意见      NVARCHAR(MAX),
    调查情况      NVARCHAR(MAX),
    处理人        NVARCHAR(50),
    转呈原因      NVARCHAR(MAX),
    处理结果      NVARCHAR(MAX)
)
GO

CREATE INDEX IX_step_complaint ON 投诉信息处理 (投诉编号, 顺序号)
GO

CREATE INDEX IX_step_position ON 投诉信息处理 (处理岗位, 处理部门)
GO

CREATE TABLE 投诉资料 (
    ID          INT IDENTITY(1,1) PRIMARY KEY,
    投诉编号    NVARCHAR(20) NOT NULL,
    类型        NVARCHAR(20),
    文件名      NVARCHAR(260),
    文件        VARBINARY(MAX),
    CZYDH       NVARCHAR(20),
    updatedate  DATETIME
)
GO

CREATE INDEX IX_file_complaint ON 投诉资料 (投诉编号)
GO

------------------------------------------------------------------------------------------
-- Staff and organisation (filled by the suite's personnel programs)
------------------------------------------------------------------------------------------

CREATE TABLE 员工档案 (
    工号      NVARCHAR(20) NOT NULL PRIMARY KEY,
    姓名      NVARCHAR(50),
    帐号密码  NVARCHAR(50),
    离职日期  DATETIME
)
GO

CREATE TABLE 职能部门类别 (
    部门类别代号  NVARCHAR(20) NOT NULL PRIMARY KEY,
    部门类别名称  NVARCHAR(50)
)
GO

CREATE TABLE 职能部门new (
    职能部门编号      NVARCHAR(20) NOT NULL PRIMARY KEY,
    职能部门名称      NVARCHAR(100),
    职能部门类别代号  NVARCHAR(20),
    终止日期          DATETIME
)
GO

-- A department's current parent is the row with its latest 起始日期.
CREATE TABLE 上级部门new (
    职能部门编号  NVARCHAR(20) NOT NULL,
    上级部门编号  NVARCHAR(20),
    起始日期      DATETIME NOT NULL,
    PRIMARY KEY (职能部门编号, 起始日期)
)
GO

CREATE TABLE 岗位类别 (
    岗位类别编号  NVARCHAR(20) NOT NULL PRIMARY KEY,
    岗位类别名称  NVARCHAR(50)
)
GO

-- 工号 is the holder shown next to the position; logins go by 岗位员工new.
CREATE TABLE 岗位信息new (
    岗位代号      NVARCHAR(20) NOT NULL PRIMARY KEY,
    岗位名称      NVARCHAR(100),
    职能部门代号  NVARCHAR(20),
    岗位类别代号  NVARCHAR(20),
    工号          NVARCHAR(20),
    部门主管      BIT DEFAULT 0,
    终止日期      DATETIME
)
GO

CREATE INDEX IX_position_dept ON 岗位信息new (职能部门代号)
GO

CREATE TABLE 岗位员工new (
    员工代号  NVARCHAR(20) NOT NULL,
    岗位代号  NVARCHAR(20) NOT NULL,
    主要岗位  BIT DEFAULT 0,
    离岗日期  DATETIME
)
GO

CREATE INDEX IX_assignment_employee ON 岗位员工new (员工代号)
GO

------------------------------------------------------------------------------------------
-- Management offices and the property register
------------------------------------------------------------------------------------------

CREATE TABLE 设置管理处 (
    GYD_DH        NVARCHAR(20) NOT NULL PRIMARY KEY,
    GYD_Name      NVARCHAR(100),
    GYD_DZ        NVARCHAR(200),
    GYD_TEL       NVARCHAR(50),
    对应部门代号  NVARCHAR(20)
)
GO

CREATE TABLE 楼表 (
    L_ID    INT NOT NULL PRIMARY KEY,
    管理处  NVARCHAR(20),
    地址1   NVARCHAR(50),
    字1     NVARCHAR(10),
    地址2   NVARCHAR(50),
    字2     NVARCHAR(10),
    地址3   NVARCHAR(50),
    字3     NVARCHAR(10),
    地址4   NVARCHAR(50),
    字4     NVARCHAR(10)
)
GO

CREATE INDEX IX_building_office ON 楼表 (管理处)
GO

CREATE TABLE 室表 (
    S_ID      INT NOT NULL PRIMARY KEY,
    L_ID      INT NOT NULL,
    室        NVARCHAR(20),
    字        NVARCHAR(10),
    房屋性质  NVARCHAR(20)
)
GO

CREATE INDEX IX_room_building ON 室表 (L_ID)
GO

CREATE TABLE 业主表 (
    ZH_ID     INT NOT NULL PRIMARY KEY,
    S_ID      INT NOT NULL,
    姓名      NVARCHAR(50),
    联系方式  NVARCHAR(50),
    说明      NVARCHAR(50)
)
GO

CREATE INDEX IX_occupant_room ON 业主表 (S_ID)
GO

CREATE TABLE FWXZK (
    FWXZ_dh  NVARCHAR(20) NOT NULL PRIMARY KEY,
    FWXZ_xz  NVARCHAR(50)
)
GO

------------------------------------------------------------------------------------------
-- Reference lists maintained by the desk
------------------------------------------------------------------------------------------

CREATE TABLE 投诉类别 (
    id    INT IDENTITY(1,1) PRIMARY KEY,
    编号  NVARCHAR(20),
    类别  NVARCHAR(50)
)
GO

CREATE TABLE 投诉方式 (
    id    INT IDENTITY(1,1) PRIMARY KEY,
    编号  NVARCHAR(20),
    方式  NVARCHAR(50)
)
GO

-- The departments that receive complaints of a channel; none means any department.
CREATE TABLE 投诉接待部门设置 (
    ID    INT IDENTITY(1,1) PRIMARY KEY,
    编号  NVARCHAR(20),
    部门  NVARCHAR(20)
)
GO

CREATE TABLE 投诉回复方式 (
    id        INT IDENTITY(1,1) PRIMARY KEY,
    回复方式  NVARCHAR(50)
)
GO

------------------------------------------------------------------------------------------
-- Privileges
------------------------------------------------------------------------------------------

CREATE TABLE 岗位权限设置 (
    ID        INT IDENTITY(1,1) PRIMARY KEY,
    组代号    NVARCHAR(20),
    岗位代号  NVARCHAR(20),
    授权      INT DEFAULT 0
)
GO

-- FormName is the object name of a menu item of the main window.
CREATE TABLE GroupPrivilege (
    GroupID   NVARCHAR(20) NOT NULL,
    FormName  NVARCHAR(50) NOT NULL,
    Popedom   BIT DEFAULT 0,
    PRIMARY KEY (GroupID, FormName)
)
GO

CREATE TABLE 专项审核权限表 (
    ID        INT IDENTITY(1,1) PRIMARY KEY,
    类型      NVARCHAR(20),
    部门代号  NVARCHAR(20),
    岗位代号  NVARCHAR(20)
)
GO
