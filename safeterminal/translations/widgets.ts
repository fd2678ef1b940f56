<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QDialogButtonBox</name>
    <message><source>OK</source><translation>确定</translation></message>
    <message><source>&amp;OK</source><translation>确定</translation></message>
    <message><source>Cancel</source><translation>取消</translation></message>
    <message><source>&amp;Cancel</source><translation>取消</translation></message>
    <message><source>&amp;Yes</source><translation>是</translation></message>
    <message><source>&amp;No</source><translation>否</translation></message>
    <message><source>Close</source><translation>关闭</translation></message>
</context>
<context>
    <name>QMessageBox</name>
    <message><source>OK</source><translation>确定</translation></message>
</context>
<context>
    <name>QLineEdit</name>
    <message><source>&amp;Undo</source><translation>撤销</translation></message>
    <message><source>&amp;Redo</source><translation>重做</translation></message>
    <message><source>Cu&amp;t</source><translation>剪切</translation></message>
    <message><source>&amp;Copy</source><translation>复制</translation></message>
    <message><source>&amp;Paste</source><translation>粘贴</translation></message>
    <message><source>Delete</source><translation>删除</translation></message>
    <message><source>Select All</source><translation>全选</translation></message>
</context>
</TS>
