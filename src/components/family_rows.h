// The family installers one by one, in the install phase's order; RunFamilyInstallers calls them.
#pragma once

class WVexaTools;

// 1-3: 8051, LPC and the 8051 in-circuit emulator.
void Install8051Tools(WVexaTools& host);
void InstallLpcTools(WVexaTools& host);
void InstallIce51(WVexaTools& host);
// 4-5: XA and 80251.
void InstallXaTools(WVexaTools& host);
void Install251Tools(WVexaTools& host);
// 6 and 9: ST5 and ST6.
void InstallSt5Tools(WVexaTools& host);
void InstallSt6Tools(WVexaTools& host);
// 7-8: 80C51MX and XE8000.
void InstallMxTools(WVexaTools& host);
void InstallXeTools(WVexaTools& host);
// 10-22: the smart-card add-ons.
void InstallSmartCardAddOn(WVexaTools& host, int row);
// 23-35: the 8051 and XA add-ons.
void Install8051AddOn(WVexaTools& host, int row);
