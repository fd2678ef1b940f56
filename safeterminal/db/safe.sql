-- Empty database the terminal copies beside itself on first start.
PRAGMA page_size = 1024;
PRAGMA encoding = 'UTF-8';
PRAGMA auto_vacuum = NONE;
PRAGMA user_version = 0;
CREATE TABLE LogInfo (LogType VARCHAR (10), LogDate VARCHAR (10), LogTime VARCHAR (8), LogContent VARCHAR (30));
CREATE TABLE UserInfo (UserID VARCHAR (10), UserName VARCHAR (15), UserPwd VARCHAR (15), UserAdmin VARCHAR (10), UserDoor VARCHAR (10), UserFinger VARCHAR (30));
CREATE TABLE ErrorInfo (ErrorType VARCHAR (10), ErrorContent VARCHAR (30));
CREATE TABLE GoodsInfo (GoodsID VARCHAR (10), GoodsEPC VARCHAR (10), GoodsType VARCHAR (10), GoodsContent VARCHAR (30));
CREATE INDEX LogInfo_Index ON LogInfo (LogType, LogDate);
