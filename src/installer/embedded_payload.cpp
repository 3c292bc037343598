#include "installer/extraction.h"
#include "payload_record.h" // generated: TW_PAYLOAD_WRITE_SIZE

// The record, placed in the program's initialised data by the assembler.
extern "C" const uint8_t tw_payload_record[];

PayloadRecord EmbeddedPayload()
{
    return {tw_payload_record, TW_PAYLOAD_WRITE_SIZE};
}
