// Creating, editing, renaming and deleting connection targets.
#include "DeviceSettingWindow.h"
#include "ui_DeviceSettingWindow.h"

void DeviceSettingWindow::f_CreateNewConnection() {}
void DeviceSettingWindow::f_CreateEditConnection() {}
void DeviceSettingWindow::f_EditSettingName() {}
void DeviceSettingWindow::f_DeleteConnection() {}
void DeviceSettingWindow::f_DeleteAllConnection(bool) {}

void DeviceSettingWindow::on_btnNewConnection_clicked()
{
    f_CreateNewConnection();
}

void DeviceSettingWindow::on_btnEdit_clicked()
{
    f_CreateEditConnection();
}

void DeviceSettingWindow::on_btnDelete_clicked()
{
    f_DeleteConnection();
}
