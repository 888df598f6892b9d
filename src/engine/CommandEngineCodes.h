#ifndef COMMANDENGINECODES_H
#define COMMANDENGINECODES_H

// Request table indexes, command steps and error codes shared by the parts of
// the command engine.
namespace CommandEngineCode {

// Request table indexes.
const int REQ_ERROR_STATUS = 0;
const int REQ_SIGNAL_INFO = 1;
const int REQ_POWER_ON = 2;
const int REQ_POWER_OFF = 3;
const int REQ_INPUT_TERMINAL = 4;
const int REQ_PICTURE_MUTE_ON = 5;
const int REQ_PICTURE_MUTE_OFF = 6;
const int REQ_SOUND_MUTE_ON = 7;
const int REQ_SOUND_MUTE_OFF = 8;
const int REQ_OSD_MUTE_ON = 9;
const int REQ_OSD_MUTE_OFF = 10;
const int REQ_GAIN_SET_PICTURE = 11;
const int REQ_GAIN_SET_VOLUME = 12;
const int REQ_LAMP_TIMES = 14;
const int REQ_FILTER_USAGE = 15;
const int REQ_LAMP_INFO = 16;
const int REQ_GAIN_GET = 18;
const int REQ_GAIN_GET_NEW = 19;
const int REQ_COVER_STATUS = 22;
const int REQ_FREEZE = 23;
const int REQ_INFO_STRING = 24;
const int REQ_LAMP_MODE = 25;
const int REQ_PROJECTOR_NAME = 26;
const int REQ_MAC_ADDRESS = 27;
const int REQ_PROJECTOR_NAME_SET = 28;
const int REQ_MODEL_INFO = 29;
const int REQ_SERIAL_NUMBER = 30;
const int REQ_COMMON_STATUS = 31;
const int REQ_MAKER_INFO = 32;

// Command steps of the identification that opens every command.
const int STEP_IDLE = 0;
const int STEP_MODEL_INFO = 1;
const int STEP_MAKER_INFO = 2;
const int STEP_COMMON_STATUS = 3;
const int STEP_UNUSED = 4;
const int STEP_IDENTIFIED = 5;

const int ERROR_CANCELED = -10;
const int ERROR_COMMUNICATION = -301;
const int ERROR_INCOMPLETE = -21;
const int ERROR_CHECKSUM = -401;
const int ERROR_MISMATCH = -402;
const int ERROR_STANDBY = -42;
const int ERROR_NOT_IDENTIFIED = -43;
const int ERROR_EXCEPTION = -30;
const int ERROR_NO_PROJECTOR = -2;

} // namespace CommandEngineCode

#endif // COMMANDENGINECODES_H
