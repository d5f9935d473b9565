#pragma once

// The main window's start-up filling of the recording source window, done
// here the way the show sequence does it, so the dialogs can be tested alone.
#include "platform/audio/api/IAudioRecord2.h"
#include "settings/SettingsFile.h"
#include "settings/Tfm_dev.h"

#include <QComboBox>
#include <QSlider>

namespace varnelo::testing {

inline void FillLikeShowSequence(Tfm_dev& dev, IAudioRecord2& record, SettingsFile& settings) {
    const int last = static_cast<int16_t>(record.DeviceLastIndex());
    for (int i = 0; i <= last; ++i) {
        record.SelectDevice(i);
        dev.cb_rd->addItem(record.DeviceName());
    }
    const int lines = static_cast<int16_t>(record.DeviceLineCount());
    for (int c = 1; c <= lines; ++c) {
        record.SelectLine(c);
        dev.cb_rdson->addItem(record.LineName());
        if (record.LineSelected())
            dev.cb_rdson->setCurrentIndex(c - 1);
    }
    dev.cb_rd->setCurrentIndex(settings.ReadInteger("rd", "rd", record.DeviceLastIndex()));
    record.SelectLine(dev.cb_rdson->currentIndex() + 1);
    dev.tb_rd->setValue(record.LineVolume());
}

} // namespace varnelo::testing
