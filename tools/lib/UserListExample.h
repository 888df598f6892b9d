#ifndef USERLISTEXAMPLE_H
#define USERLISTEXAMPLE_H

// A user list with two projectors and three groups, as the program writes it.
static const char USER_LIST_EXAMPLE[] = "[Header Info]\n"
                       "MagicCode=258-0017-686-1-5F\n"
                       "RevCode=Rev.1.0\n"
                       "[Setting 001]\n"
                       "SettingName=Setting1\n"
                       "Comment=Lobby\n"
                       "DeviceType=LAN\n"
                       "LanType=IP\n"
                       "IPAddress=192.168.0.10\n"
                       "LanPort=7142\n"
                       "LastPjName=KX200 Series\n"
                       "Enabled=True\n"
                       "GroupList=1,2\n"
                       "[Setting 004]\n"
                       "SettingName=Hall PJ\n"
                       "Comment=\n"
                       "DeviceType=LAN\n"
                       "LanType=HOST\n"
                       "HostName=pj-hall.local\n"
                       "LanPort=7142\n"
                       "LastPjName=\n"
                       "Enabled=False\n"
                       "GroupList=\n"
                       "[Group]\n"
                       "001=\"Floor 1\"\n"
                       "002=\"Floor 1\\Room A\"\n"
                       "003=\"Hall\"\n";

#endif // USERLISTEXAMPLE_H
