<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
  <context>
    <name>ui_about_info_t</name>
    <message>
      <source>About Ondrix</source>
      <translation>About Ondrix</translation>
    </message>
    <message>
      <source>Ondrix</source>
      <translation>Ondrix</translation>
    </message>
    <message>
      <source>Ondrix developers. All rights reserved.</source>
      <translation>Ondrix developers. All rights reserved.</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Version:</source>
      <translation>Version:</translation>
    </message>
  </context>
  <context>
    <name>ui_comb_fix_free_form_t</name>
    <message>
      <source>Fixed</source>
      <translation>Fixed</translation>
    </message>
    <message>
      <source>Variable</source>
      <translation>Variable</translation>
    </message>
  </context>
  <context>
    <name>ui_comb_fixed_points_form_t</name>
    <message>
      <source>16384 (16k)</source>
      <translation>16384 (16k)</translation>
    </message>
    <message>
      <source>32768 (32k)</source>
      <translation>32768 (32k)</translation>
    </message>
    <message>
      <source>524288 (512k)</source>
      <translation>524288 (512k)</translation>
    </message>
  </context>
  <context>
    <name>ui_comb_interpolation_t</name>
    <message>
      <source>Linear</source>
      <translation>Linear</translation>
    </message>
    <message>
      <source>0-order hold</source>
      <translation>0-order hold</translation>
    </message>
  </context>
  <context>
    <name>ui_combx_t</name>
    <message>
      <source>μHz</source>
      <translation>μHz</translation>
    </message>
    <message>
      <source>mHz</source>
      <translation>mHz</translation>
    </message>
    <message>
      <source>Hz</source>
      <translation>Hz</translation>
    </message>
    <message>
      <source>kHz</source>
      <translation>kHz</translation>
    </message>
    <message>
      <source>MHz</source>
      <translation>MHz</translation>
    </message>
    <message>
      <source>ns</source>
      <translation>ns</translation>
    </message>
    <message>
      <source>μs</source>
      <translation>μs</translation>
    </message>
    <message>
      <source>ms</source>
      <translation>ms</translation>
    </message>
    <message>
      <source>s</source>
      <translation>s</translation>
    </message>
    <message>
      <source>ks</source>
      <translation>ks</translation>
    </message>
    <message>
      <source>mV</source>
      <translation>mV</translation>
    </message>
    <message>
      <source>V</source>
      <translation>V</translation>
    </message>
    <message>
      <source>μSa/s</source>
      <translation>μSa/s</translation>
    </message>
    <message>
      <source>mSa/s</source>
      <translation>mSa/s</translation>
    </message>
    <message>
      <source>Sa/s</source>
      <translation>Sa/s</translation>
    </message>
    <message>
      <source>kSa/s</source>
      <translation>kSa/s</translation>
    </message>
    <message>
      <source>MSa/s</source>
      <translation>MSa/s</translation>
    </message>
    <message>
      <source>GSa/s</source>
      <translation>GSa/s</translation>
    </message>
    <message>
      <source>Sa</source>
      <translation>Sa</translation>
    </message>
    <message>
      <source>degrees</source>
      <translation>degrees</translation>
    </message>
    <message>
      <source>%</source>
      <translation>%</translation>
    </message>
    <message>
      <source>dB</source>
      <translation>dB</translation>
    </message>
    <message>
      <source>μbps</source>
      <translation>μbps</translation>
    </message>
    <message>
      <source>mbps</source>
      <translation>mbps</translation>
    </message>
    <message>
      <source>bps</source>
      <translation>bps</translation>
    </message>
    <message>
      <source>kbps</source>
      <translation>kbps</translation>
    </message>
    <message>
      <source>Mbps</source>
      <translation>Mbps</translation>
    </message>
    <message>
      <source>Gbps</source>
      <translation>Gbps</translation>
    </message>
  </context>
  <context>
    <name>ui_comm_tree_form_t</name>
    <message>
      <source>Devices and Interfaces</source>
      <translation>Devices and Interfaces</translation>
    </message>
    <message>
      <source>Network Devices</source>
      <translation>Network Devices</translation>
    </message>
    <message>
      <source>Refresh</source>
      <translation>Refresh</translation>
    </message>
    <message>
      <source>Create VISA TCP/IP Resource</source>
      <translation>Create VISA TCP/IP Resource</translation>
    </message>
    <message>
      <source>Send waveform to AWG</source>
      <translation>Send waveform to AWG</translation>
    </message>
    <message>
      <source>Read waveform from AWG</source>
      <translation>Read waveform from AWG</translation>
    </message>
    <message>
      <source>Import waveform from scope</source>
      <translation>Import waveform from scope</translation>
    </message>
    <message>
      <source>Delete Resource</source>
      <translation>Delete Resource</translation>
    </message>
    <message>
      <source>Non-supported manufacturer or unavailable resource. Continue with openning other resources.</source>
      <translation>Non-supported manufacturer or unavailable resource. Continue with openning other resources.</translation>
    </message>
  </context>
  <context>
    <name>ui_control_panel_t</name>
    <message>
      <source>Form</source>
      <translation>Form</translation>
    </message>
  </context>
  <context>
    <name>ui_cursor_setting_t</name>
    <message>
      <source>Cursor Settings</source>
      <translation>Cursor Settings</translation>
    </message>
    <message>
      <source>Cursor X</source>
      <translation>Cursor X</translation>
    </message>
    <message>
      <source>Cursor Y</source>
      <translation>Cursor Y</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>Points</translation>
    </message>
    <message>
      <source>Seconds</source>
      <translation>Seconds</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>X1:</source>
      <translation>X1:</translation>
    </message>
    <message>
      <source>X2:</source>
      <translation>X2:</translation>
    </message>
    <message>
      <source>Y1:</source>
      <translation>Y1:</translation>
    </message>
    <message>
      <source>Y2:</source>
      <translation>Y2:</translation>
    </message>
  </context>
  <context>
    <name>ui_digtal_wave_form_t</name>
    <message>
      <source>Form</source>
      <translation>Form</translation>
    </message>
    <message>
      <source>Settings</source>
      <translation>Settings</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>Preview</translation>
    </message>
    <message>
      <source>Channel Setting</source>
      <translation>Channel Setting</translation>
    </message>
    <message>
      <source>All Channel</source>
      <translation>All Channel</translation>
    </message>
    <message>
      <source>Single Channel</source>
      <translation>Single Channel</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Value Table</source>
      <translation>Value Table</translation>
    </message>
    <message>
      <source>Goto</source>
      <translation>Goto</translation>
    </message>
    <message>
      <source>1_bit</source>
      <translation>1_bit</translation>
    </message>
    <message>
      <source>16_bit</source>
      <translation>16_bit</translation>
    </message>
    <message>
      <source>Quick setting</source>
      <translation>Quick setting</translation>
    </message>
    <message>
      <source>Default</source>
      <translation>Default</translation>
    </message>
    <message>
      <source>Zero</source>
      <translation>Zero</translation>
    </message>
    <message>
      <source>Invert</source>
      <translation>Invert</translation>
    </message>
    <message>
      <source>Channel Copy</source>
      <translation>Channel Copy</translation>
    </message>
    <message>
      <source>Copy</source>
      <translation>Copy</translation>
    </message>
    <message>
      <source>-&gt;</source>
      <translation>-&gt;</translation>
    </message>
    <message>
      <source>Index:</source>
      <translation>Index:</translation>
    </message>
    <message>
      <source>Page:</source>
      <translation>Page:</translation>
    </message>
    <message>
      <source>Wave Length:</source>
      <translation>Wave Length:</translation>
    </message>
    <message>
      <source>Bit Rate:</source>
      <translation>Bit Rate:</translation>
    </message>
    <message>
      <source>D%1</source>
      <translation>D%1</translation>
    </message>
    <message>
      <source>ALL</source>
      <translation>ALL</translation>
    </message>
    <message>
      <source>Paste</source>
      <translation>Paste</translation>
    </message>
    <message>
      <source>Insert</source>
      <translation>Insert</translation>
    </message>
    <message>
      <source>Delete</source>
      <translation>Delete</translation>
    </message>
    <message>
      <source>Copy to</source>
      <translation>Copy to</translation>
    </message>
    <message>
      <source>All</source>
      <translation>All</translation>
    </message>
    <message>
      <source>Positions</source>
      <translation>Positions</translation>
    </message>
    <message>
      <source>Value</source>
      <translation>Value</translation>
    </message>
  </context>
  <context>
    <name>ui_draw_point_t</name>
    <message>
      <source>The function is for Editting Points.</source>
      <translation>The function is for Editting Points.</translation>
    </message>
    <message>
      <source>Please enable the points editting first.</source>
      <translation>Please enable the points editting first.</translation>
    </message>
    <message>
      <source>This edit operation will cover the current points. Continue?</source>
      <translation>This edit operation will cover the current points. Continue?</translation>
    </message>
    <message>
      <source>This edit operation will cover the current points.</source>
      <translation>This edit operation will cover the current points.</translation>
    </message>
  </context>
  <context>
    <name>ui_equation_form_t</name>
    <message>
      <source>Equation Editor</source>
      <translation>Equation Editor</translation>
    </message>
    <message>
      <source>Equation</source>
      <translation>Equation</translation>
    </message>
    <message>
      <source>Status</source>
      <translation>Status</translation>
    </message>
    <message>
      <source>Command Shortcut</source>
      <translation>Command Shortcut</translation>
    </message>
    <message>
      <source>Settings</source>
      <translation>Settings</translation>
    </message>
    <message>
      <source>Notes</source>
      <translation>Notes</translation>
    </message>
    <message>
      <source>Minimum Points:</source>
      <translation>Minimum Points:</translation>
    </message>
    <message>
      <source>2</source>
      <translation>2</translation>
    </message>
    <message>
      <source>Maximum Points:</source>
      <translation>Maximum Points:</translation>
    </message>
    <message>
      <source>20971520</source>
      <translation>20971520</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>Preview</translation>
    </message>
    <message>
      <source>Open</source>
      <translation>Open</translation>
    </message>
    <message>
      <source>Save</source>
      <translation>Save</translation>
    </message>
    <message>
      <source>Compile</source>
      <translation>Compile</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Instrument Model:</source>
      <translation>Instrument Model:</translation>
    </message>
    <message>
      <source>#Input equations here</source>
      <translation>#Input equations here</translation>
    </message>
    <message>
      <source>Samples:</source>
      <translation>Samples:</translation>
    </message>
    <message>
      <source>Frequency:</source>
      <translation>Frequency:</translation>
    </message>
    <message>
      <source>Error in line: </source>
      <translation>Error in line:</translation>
    </message>
    <message>
      <source>System Error.    error index: </source>
      <translation>System Error. error index: </translation>
    </message>
    <message>
      <source>Character Error.    error index: </source>
      <translation>Character Error. error index: </translation>
    </message>
    <message>
      <source>Function Error.    error index: </source>
      <translation>Function Error. error index: </translation>
    </message>
    <message>
      <source>Function Error in parameter.   error index: </source>
      <translation>Function Error in parameter. error index: </translation>
    </message>
    <message>
      <source>No valid equations.</source>
      <translation>No valid equations.</translation>
    </message>
    <message>
      <source>The parameter is out of range. The argument has to be: 
x2 &gt; x1 &gt;= 1 and x2 &lt;= Samples 
error index: </source>
      <translation>The parameter is out of range. The argument has to be: 
x2 &gt; x1 &gt;= 1 and x2 &lt;= Samples 
error index: </translation>
    </message>
    <message>
      <source>Compile Successfully.</source>
      <translation>Compile Successfully.</translation>
    </message>
    <message>
      <source>Error occurred. error index: </source>
      <translation>Error occurred. error index: </translation>
    </message>
    <message>
      <source>The file could not be read.</source>
      <translation>The file could not be read.</translation>
    </message>
    <message>
      <source>Save As</source>
      <translation>Save As</translation>
    </message>
    <message>
      <source>The file could not be saved.</source>
      <translation>The file could not be saved.</translation>
    </message>
  </context>
  <context>
    <name>ui_filter_form_t</name>
    <message>
      <source>Filter</source>
      <translation>Filter</translation>
    </message>
    <message>
      <source>Waveform Source</source>
      <translation>Waveform Source</translation>
    </message>
    <message>
      <source>Magnitude Response(dB)</source>
      <translation>Magnitude Response(dB)</translation>
    </message>
    <message>
      <source>Resultant Waveform</source>
      <translation>Resultant Waveform</translation>
    </message>
    <message>
      <source>Parameters</source>
      <translation>Parameters</translation>
    </message>
    <message>
      <source>Design Filter</source>
      <translation>Design Filter</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>ButterworthLowPass</source>
      <translation>ButterworthLowPass</translation>
    </message>
    <message>
      <source>ButterworthHighPass</source>
      <translation>ButterworthHighPass</translation>
    </message>
    <message>
      <source>ButterworthBandPass</source>
      <translation>ButterworthBandPass</translation>
    </message>
    <message>
      <source>ButterworthBandStop</source>
      <translation>ButterworthBandStop</translation>
    </message>
    <message>
      <source>ChebyshevLowPass</source>
      <translation>ChebyshevLowPass</translation>
    </message>
    <message>
      <source>ChebyshevHighPass</source>
      <translation>ChebyshevHighPass</translation>
    </message>
    <message>
      <source>ChebyshevBandPass</source>
      <translation>ChebyshevBandPass</translation>
    </message>
    <message>
      <source>ChebyshevBandStop</source>
      <translation>ChebyshevBandStop</translation>
    </message>
    <message>
      <source>InvChebyshevLowPass</source>
      <translation>InvChebyshevLowPass</translation>
    </message>
    <message>
      <source>InvChebyshevHighPass</source>
      <translation>InvChebyshevHighPass</translation>
    </message>
    <message>
      <source>InvChebyshevBandPass</source>
      <translation>InvChebyshevBandPass</translation>
    </message>
    <message>
      <source>InvChebyshevBandStop</source>
      <translation>InvChebyshevBandStop</translation>
    </message>
    <message>
      <source>EllipticLowPass</source>
      <translation>EllipticLowPass</translation>
    </message>
    <message>
      <source>EllipticHighPass</source>
      <translation>EllipticHighPass</translation>
    </message>
    <message>
      <source>EllipticBandPass</source>
      <translation>EllipticBandPass</translation>
    </message>
    <message>
      <source>EllipticBandStop</source>
      <translation>EllipticBandStop</translation>
    </message>
    <message>
      <source>Fpass:</source>
      <translation>Fpass:</translation>
    </message>
    <message>
      <source>Fstop:</source>
      <translation>Fstop:</translation>
    </message>
    <message>
      <source>Apass:</source>
      <translation>Apass:</translation>
    </message>
    <message>
      <source>Astop:</source>
      <translation>Astop:</translation>
    </message>
    <message>
      <source>Fstop1:</source>
      <translation>Fstop1:</translation>
    </message>
    <message>
      <source>Fpass1:</source>
      <translation>Fpass1:</translation>
    </message>
    <message>
      <source>Fpass2:</source>
      <translation>Fpass2:</translation>
    </message>
    <message>
      <source>Fstop2:</source>
      <translation>Fstop2:</translation>
    </message>
    <message>
      <source>Astop1(Astop2):</source>
      <translation>Astop1(Astop2):</translation>
    </message>
    <message>
      <source>Apass1(Apass2):</source>
      <translation>Apass1(Apass2):</translation>
    </message>
    <message>
      <source>Magnitude[dB]</source>
      <translation>Magnitude[dB]</translation>
    </message>
    <message>
      <source>Waveform Source:</source>
      <translation>Waveform Source:</translation>
    </message>
    <message>
      <source>Filter Type:</source>
      <translation>Filter Type:</translation>
    </message>
    <message>
      <source>Fs:</source>
      <translation>Fs:</translation>
    </message>
    <message>
      <source>
The filter's order is out of range.
</source>
      <translation>
The filter's order is out of range.
</translation>
    </message>
    <message>
      <source>
The filter's parameter is out of range.
</source>
      <translation>
The filter's parameter is out of range.
</translation>
    </message>
    <message>
      <source>
Unpredictable error occurred about Filter.
</source>
      <translation>
Unpredictable error occurred about Filter.
</translation>
    </message>
    <message>
      <source>Math Exception: Parameter must meet the condition below:
0 &lt;= fpass &lt;= (fs/2)
</source>
      <translation>Math Exception: Parameter must meet the condition below:
0 &lt;= fpass &lt;= (fs/2)
</translation>
    </message>
    <message>
      <source>Math Exception: Parameter must meet the condition below:
Lowpass: fpass &lt; fstop
Highpass: fpass &gt; fstop
Bandpass: fstop1 &lt; fpass1 &lt; fpass2 &lt; fstop2
Bandstop: fpass1 &lt; fstop1 &lt; fstop2 &lt; fpass2
</source>
      <translation>Math Exception: Parameter must meet the condition below:
Lowpass: fpass &lt; fstop
Highpass: fpass &gt; fstop
Bandpass: fstop1 &lt; fpass1 &lt; fpass2 &lt; fstop2
Bandstop: fpass1 &lt; fstop1 &lt; fstop2 &lt; fpass2
</translation>
    </message>
    <message>
      <source>
Unpredictable error occurred about apass or astop.
</source>
      <translation>
Unpredictable error occurred about apass or astop.
</translation>
    </message>
  </context>
  <context>
    <name>ui_instr_model_form_t</name>
    <message>
      <source>CH1</source>
      <translation>CH1</translation>
    </message>
    <message>
      <source>CH2</source>
      <translation>CH2</translation>
    </message>
    <message>
      <source>CH3</source>
      <translation>CH3</translation>
    </message>
    <message>
      <source>CH4</source>
      <translation>CH4</translation>
    </message>
    <message>
      <source>Instrument Model:</source>
      <translation>Instrument Model:</translation>
    </message>
  </context>
  <context>
    <name>ui_ip_create_form_t</name>
    <message>
      <source>Create VISA TCP/IP Resource</source>
      <translation>Create VISA TCP/IP Resource</translation>
    </message>
    <message>
      <source>Entry IP Address</source>
      <translation>Entry IP Address</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
  </context>
  <context>
    <name>ui_ondrix_sbar_t</name>
    <message>
      <source>Current Status: Idle</source>
      <translation>Current Status: Idle</translation>
    </message>
    <message>
      <source>Oscilloscope: unavailable</source>
      <translation>Oscilloscope: unavailable</translation>
    </message>
    <message>
      <source>AWG: unavailable</source>
      <translation>AWG: unavailable</translation>
    </message>
    <message>
      <source>Current Status: Normal</source>
      <translation>Current Status: Normal</translation>
    </message>
    <message>
      <source>Oscilloscope: available</source>
      <translation>Oscilloscope: available</translation>
    </message>
    <message>
      <source>AWG: available</source>
      <translation>AWG: available</translation>
    </message>
  </context>
  <context>
    <name>ui_ondrix_t</name>
    <message>
      <source>No waveform exit.
Please create or open a waveform first.</source>
      <translation>No waveform exit.
Please create or open a waveform first.</translation>
    </message>
    <message>
      <source>Ondrix</source>
      <translation>Ondrix</translation>
    </message>
    <message>
      <source>File creation failed.</source>
      <translation>File creation failed.</translation>
    </message>
    <message>
      <source>Open</source>
      <translation>Open</translation>
    </message>
    <message>
      <source>File read failed, this file format is not supported.
Only '.csv', '.bin', and '.dat' format are supported.</source>
      <translation>File read failed, this file format is not supported.
Only '.csv', '.bin', and '.dat' format are supported.</translation>
    </message>
    <message>
      <source>File read failed, the points of wave are too small.
Valid range:2 ~ 20M.</source>
      <translation>File read failed, the points of wave are too small.
Valid range:2 ~ 20M.</translation>
    </message>
    <message>
      <source>File read failed, the points of wave are too large.
Valid range:2 ~ 20M.</source>
      <translation>File read failed, the points of wave are too large.
Valid range:2 ~ 20M.</translation>
    </message>
    <message>
      <source>File read failed, an unknown error occurred.</source>
      <translation>File read failed, an unknown error occurred.</translation>
    </message>
    <message>
      <source>Save As</source>
      <translation>Save As</translation>
    </message>
    <message>
      <source>File save failed, the file could not be written.</source>
      <translation>File save failed, the file could not be written.</translation>
    </message>
    <message>
      <source>File</source>
      <translation>File</translation>
    </message>
    <message>
      <source>Edit</source>
      <translation>Edit</translation>
    </message>
    <message>
      <source>View</source>
      <translation>View</translation>
    </message>
    <message>
      <source>Waveform</source>
      <translation>Waveform</translation>
    </message>
    <message>
      <source>Communication</source>
      <translation>Communication</translation>
    </message>
    <message>
      <source>Control Panel</source>
      <translation>Control Panel</translation>
    </message>
    <message>
      <source>Windows</source>
      <translation>Windows</translation>
    </message>
    <message>
      <source>Languages</source>
      <translation>Languages</translation>
    </message>
    <message>
      <source>Help</source>
      <translation>Help</translation>
    </message>
    <message>
      <source>Blank Waveform</source>
      <translation>Blank Waveform</translation>
    </message>
    <message>
      <source>Equation Editor</source>
      <translation>Equation Editor</translation>
    </message>
    <message>
      <source>Ctrl+Q</source>
      <translation>Ctrl+Q</translation>
    </message>
    <message>
      <source>Standard Waveform</source>
      <translation>Standard Waveform</translation>
    </message>
    <message>
      <source>Ctrl+W</source>
      <translation>Ctrl+W</translation>
    </message>
    <message>
      <source>Close</source>
      <translation>Close</translation>
    </message>
    <message>
      <source>Save</source>
      <translation>Save</translation>
    </message>
    <message>
      <source>Print preview</source>
      <translation>Print preview</translation>
    </message>
    <message>
      <source>Print</source>
      <translation>Print</translation>
    </message>
    <message>
      <source>Exit</source>
      <translation>Exit</translation>
    </message>
    <message>
      <source>Ctrl+E</source>
      <translation>Ctrl+E</translation>
    </message>
    <message>
      <source>Cut</source>
      <translation>Cut</translation>
    </message>
    <message>
      <source>Copy</source>
      <translation>Copy</translation>
    </message>
    <message>
      <source>Paste</source>
      <translation>Paste</translation>
    </message>
    <message>
      <source>Select |X|</source>
      <translation>Select |X|</translation>
    </message>
    <message>
      <source>Select All</source>
      <translation>Select All</translation>
    </message>
    <message>
      <source>Invert</source>
      <translation>Invert</translation>
    </message>
    <message>
      <source>Mirror</source>
      <translation>Mirror</translation>
    </message>
    <message>
      <source>Zoom-X</source>
      <translation>Zoom-X</translation>
    </message>
    <message>
      <source>Zoom-Y</source>
      <translation>Zoom-Y</translation>
    </message>
    <message>
      <source>Zoom-Area</source>
      <translation>Zoom-Area</translation>
    </message>
    <message>
      <source>Fit to Window</source>
      <translation>Fit to Window</translation>
    </message>
    <message>
      <source>X Cursors</source>
      <translation>X Cursors</translation>
    </message>
    <message>
      <source>Y Cursors</source>
      <translation>Y Cursors</translation>
    </message>
    <message>
      <source>Grid</source>
      <translation>Grid</translation>
    </message>
    <message>
      <source>Time Scale</source>
      <translation>Time Scale</translation>
    </message>
    <message>
      <source>Interpolation</source>
      <translation>Interpolation</translation>
    </message>
    <message>
      <source>Linear</source>
      <translation>Linear</translation>
    </message>
    <message>
      <source>0-order hold</source>
      <translation>0-order hold</translation>
    </message>
    <message>
      <source>Properties</source>
      <translation>Properties</translation>
    </message>
    <message>
      <source>Sine</source>
      <translation>Sine</translation>
    </message>
    <message>
      <source>Square</source>
      <translation>Square</translation>
    </message>
    <message>
      <source>Pulse</source>
      <translation>Pulse</translation>
    </message>
    <message>
      <source>Ramp</source>
      <translation>Ramp</translation>
    </message>
    <message>
      <source>DC</source>
      <translation>DC</translation>
    </message>
    <message>
      <source>Noise</source>
      <translation>Noise</translation>
    </message>
    <message>
      <source>Sinc</source>
      <translation>Sinc</translation>
    </message>
    <message>
      <source>Stair Step Up</source>
      <translation>Stair Step Up</translation>
    </message>
    <message>
      <source>Stair Step Down</source>
      <translation>Stair Step Down</translation>
    </message>
    <message>
      <source>Exponential Rise</source>
      <translation>Exponential Rise</translation>
    </message>
    <message>
      <source>Exponential Fall</source>
      <translation>Exponential Fall</translation>
    </message>
    <message>
      <source>Multi pulse</source>
      <translation>Multi pulse</translation>
    </message>
    <message>
      <source>Send waveform to AWG</source>
      <translation>Send waveform to AWG</translation>
    </message>
    <message>
      <source>Ctrl+Alt+S</source>
      <translation>Ctrl+Alt+S</translation>
    </message>
    <message>
      <source>Read waveform from AWG</source>
      <translation>Read waveform from AWG</translation>
    </message>
    <message>
      <source>Ctrl+Alt+R</source>
      <translation>Ctrl+Alt+R</translation>
    </message>
    <message>
      <source>Import waveform from scope</source>
      <translation>Import waveform from scope</translation>
    </message>
    <message>
      <source>Ctrl+Alt+I</source>
      <translation>Ctrl+Alt+I</translation>
    </message>
    <message>
      <source>Refresh</source>
      <translation>Refresh</translation>
    </message>
    <message>
      <source>Cascade</source>
      <translation>Cascade</translation>
    </message>
    <message>
      <source>Title</source>
      <translation>Title</translation>
    </message>
    <message>
      <source>Close All</source>
      <translation>Close All</translation>
    </message>
    <message>
      <source>Chinese</source>
      <translation>Chinese</translation>
    </message>
    <message>
      <source>English</source>
      <translation>English</translation>
    </message>
    <message>
      <source>User Help</source>
      <translation>User Help</translation>
    </message>
    <message>
      <source>Website</source>
      <translation>Website</translation>
    </message>
    <message>
      <source>About Ondrix</source>
      <translation>About Ondrix</translation>
    </message>
    <message>
      <source>Language changed successfully. The application will close now. Please restart the application after it closes.</source>
      <translation>Language changed successfully. The application will close now. Please restart the application after it closes.</translation>
    </message>
    <message>
      <source>Failed to change language.</source>
      <translation>Failed to change language.</translation>
    </message>
    <message>
      <source>Can not find document.</source>
      <translation>Can not find document.</translation>
    </message>
    <message>
      <source>No Device</source>
      <translation>No Device</translation>
    </message>
    <message>
      <source> </source>
      <translation> </translation>
    </message>
    <message>
      <source>Current Status: Normal</source>
      <translation>Current Status: Normal</translation>
    </message>
    <message>
      <source>Current Status: Idle</source>
      <translation>Current Status: Idle</translation>
    </message>
    <message>
      <source>Oscilloscope: available</source>
      <translation>Oscilloscope: available</translation>
    </message>
    <message>
      <source>Oscilloscope: unavailable</source>
      <translation>Oscilloscope: unavailable</translation>
    </message>
    <message>
      <source>AWG: available</source>
      <translation>AWG: available</translation>
    </message>
    <message>
      <source>AWG: unavailable</source>
      <translation>AWG: unavailable</translation>
    </message>
    <message>
      <source>Create a new blank waveform (Ctrl+N)</source>
      <translation>Create a new blank waveform (Ctrl+N)</translation>
    </message>
    <message>
      <source>Open existing waveform (Ctrl+O)</source>
      <translation>Open existing waveform (Ctrl+O)</translation>
    </message>
    <message>
      <source>Save the waveform (Ctrl+S)</source>
      <translation>Save the waveform (Ctrl+S)</translation>
    </message>
    <message>
      <source>Cut the selected waveform (Ctrl+X)</source>
      <translation>Cut the selected waveform (Ctrl+X)</translation>
    </message>
    <message>
      <source>Copy the selected waveform (Ctrl+C)</source>
      <translation>Copy the selected waveform (Ctrl+C)</translation>
    </message>
    <message>
      <source>Paste waveform (Ctrl+V)</source>
      <translation>Paste waveform (Ctrl+V)</translation>
    </message>
    <message>
      <source>Undo (%1)</source>
      <translation>Undo (%1)</translation>
    </message>
    <message>
      <source>Redo (%1)</source>
      <translation>Redo (%1)</translation>
    </message>
    <message>
      <source>Basic Operation</source>
      <translation>Basic Operation</translation>
    </message>
    <message>
      <source>Zoom X-Axis</source>
      <translation>Zoom X-Axis</translation>
    </message>
    <message>
      <source>Zoom Y-Axis</source>
      <translation>Zoom Y-Axis</translation>
    </message>
    <message>
      <source>Zoom area</source>
      <translation>Zoom area</translation>
    </message>
    <message>
      <source>Fit waveform to display</source>
      <translation>Fit waveform to display</translation>
    </message>
    <message>
      <source>Zoom</source>
      <translation>Zoom</translation>
    </message>
    <message>
      <source>Sine waveform</source>
      <translation>Sine waveform</translation>
    </message>
    <message>
      <source>Square waveform</source>
      <translation>Square waveform</translation>
    </message>
    <message>
      <source>Pulse waveform</source>
      <translation>Pulse waveform</translation>
    </message>
    <message>
      <source>Ramp waveform</source>
      <translation>Ramp waveform</translation>
    </message>
    <message>
      <source>DC waveform</source>
      <translation>DC waveform</translation>
    </message>
    <message>
      <source>Noise waveform</source>
      <translation>Noise waveform</translation>
    </message>
    <message>
      <source>Basic Wave</source>
      <translation>Basic Wave</translation>
    </message>
    <message>
      <source>Sinc waveform</source>
      <translation>Sinc waveform</translation>
    </message>
    <message>
      <source>Stair step up waveform</source>
      <translation>Stair step up waveform</translation>
    </message>
    <message>
      <source>Stair step  down waveform</source>
      <translation>Stair step  down waveform</translation>
    </message>
    <message>
      <source>Exponential rise waveform</source>
      <translation>Exponential rise waveform</translation>
    </message>
    <message>
      <source>Exponential fall waveform</source>
      <translation>Exponential fall waveform</translation>
    </message>
    <message>
      <source>Multi Pulse waveform</source>
      <translation>Multi Pulse waveform</translation>
    </message>
    <message>
      <source>Advanced Wave</source>
      <translation>Advanced Wave</translation>
    </message>
    <message>
      <source>Digital Wave</source>
      <translation>Digital Wave</translation>
    </message>
    <message>
      <source>Equation Editor (Ctrl+Q)</source>
      <translation>Equation Editor (Ctrl+Q)</translation>
    </message>
    <message>
      <source>Wave parameter setting</source>
      <translation>Wave parameter setting</translation>
    </message>
    <message>
      <source>Wave Parameter</source>
      <translation>Wave Parameter</translation>
    </message>
    <message>
      <source>Waveform properties</source>
      <translation>Waveform properties</translation>
    </message>
    <message>
      <source>Display properties</source>
      <translation>Display properties</translation>
    </message>
    <message>
      <source>Property</source>
      <translation>Property</translation>
    </message>
    <message>
      <source>X cursors</source>
      <translation>X cursors</translation>
    </message>
    <message>
      <source>Y cursors</source>
      <translation>Y cursors</translation>
    </message>
    <message>
      <source>Edit cursors</source>
      <translation>Edit cursors</translation>
    </message>
    <message>
      <source>Cursor</source>
      <translation>Cursor</translation>
    </message>
    <message>
      <source>Select mode (Ctrl+Shift+A)</source>
      <translation>Select mode (Ctrl+Shift+A)</translation>
    </message>
    <message>
      <source>Ctrl+Shift+A</source>
      <translation>Ctrl+Shift+A</translation>
    </message>
    <message>
      <source>Select waveform between X Cursors</source>
      <translation>Select waveform between X Cursors</translation>
    </message>
    <message>
      <source>Select whole waveform (Ctrl+A)</source>
      <translation>Select whole waveform (Ctrl+A)</translation>
    </message>
    <message>
      <source>Invert the selected waveform</source>
      <translation>Invert the selected waveform</translation>
    </message>
    <message>
      <source>Mirror the selected waveform</source>
      <translation>Mirror the selected waveform</translation>
    </message>
    <message>
      <source>Wave Operation</source>
      <translation>Wave Operation</translation>
    </message>
    <message>
      <source>Freehand draw</source>
      <translation>Freehand draw</translation>
    </message>
    <message>
      <source>Horizontal line</source>
      <translation>Horizontal line</translation>
    </message>
    <message>
      <source>Vertical line</source>
      <translation>Vertical line</translation>
    </message>
    <message>
      <source>Oblique line</source>
      <translation>Oblique line</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>Points</translation>
    </message>
    <message>
      <source>Points table</source>
      <translation>Points table</translation>
    </message>
    <message>
      <source>Move to previous point</source>
      <translation>Move to previous point</translation>
    </message>
    <message>
      <source>Move to next point</source>
      <translation>Move to next point</translation>
    </message>
    <message>
      <source>Delete the selected point</source>
      <translation>Delete the selected point</translation>
    </message>
    <message>
      <source>Clear all the points</source>
      <translation>Clear all the points</translation>
    </message>
    <message>
      <source>Select the interpolation mode</source>
      <translation>Select the interpolation mode</translation>
    </message>
    <message>
      <source>Draw Wave</source>
      <translation>Draw Wave</translation>
    </message>
    <message>
      <source>Waveform Math</source>
      <translation>Waveform Math</translation>
    </message>
    <message>
      <source>Filter</source>
      <translation>Filter</translation>
    </message>
    <message>
      <source>Windowing</source>
      <translation>Windowing</translation>
    </message>
    <message>
      <source>Math</source>
      <translation>Math</translation>
    </message>
    <message>
      <source>Refresh instruments connection</source>
      <translation>Refresh instruments connection</translation>
    </message>
  </context>
  <context>
    <name>ui_panel_form_t</name>
    <message>
      <source>Dialog</source>
      <translation>Dialog</translation>
    </message>
  </context>
  <context>
    <name>ui_paste_option_t</name>
    <message>
      <source>Paste Options</source>
      <translation>Paste Options</translation>
    </message>
    <message>
      <source>Prepend to the waveform</source>
      <translation>Prepend to the waveform</translation>
    </message>
    <message>
      <source>Append to the waveform</source>
      <translation>Append to the waveform</translation>
    </message>
    <message>
      <source>Replace between X Cursors</source>
      <translation>Replace between X Cursors</translation>
    </message>
    <message>
      <source>Paste to active cursor</source>
      <translation>Paste to active cursor</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
  </context>
  <context>
    <name>ui_point_table_form_t</name>
    <message>
      <source>Edit Points by Table</source>
      <translation>Edit Points by Table</translation>
    </message>
    <message>
      <source>Point Table</source>
      <translation>Point Table</translation>
    </message>
    <message>
      <source>Insert Point</source>
      <translation>Insert Point</translation>
    </message>
    <message>
      <source>Delete Point</source>
      <translation>Delete Point</translation>
    </message>
    <message>
      <source>Clear All</source>
      <translation>Clear All</translation>
    </message>
    <message>
      <source>X Value</source>
      <translation>X Value</translation>
    </message>
    <message>
      <source>Time</source>
      <translation>Time</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>Points</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>The maximum number of points is </source>
      <translation>The maximum number of points is </translation>
    </message>
    <message>
      <source>Positions</source>
      <translation>Positions</translation>
    </message>
    <message>
      <source>Volts</source>
      <translation>Volts</translation>
    </message>
    <message>
      <source>The position of the point is out of range.</source>
      <translation>The position of the point is out of range.</translation>
    </message>
    <message>
      <source>The points can't be in the same position.</source>
      <translation>The points can't be in the same position.</translation>
    </message>
    <message>
      <source>Insert Row</source>
      <translation>Insert Row</translation>
    </message>
    <message>
      <source>Delete Row</source>
      <translation>Delete Row</translation>
    </message>
  </context>
  <context>
    <name>ui_preview_plot_t</name>
    <message>
      <source>Amplitude[V]</source>
      <translation>Amplitude[V]</translation>
    </message>
  </context>
  <context>
    <name>ui_prompt_t</name>
    <message>
      <source>The system has run out of memory.
Please reduce number of points or files, and try again.</source>
      <translation>The system has run out of memory.
Please reduce number of points or files, and try again.</translation>
    </message>
    <message>
      <source>Save changes to the file </source>
      <translation>Save changes to the file </translation>
    </message>
    <message>
      <source>Ondrix Instance already running.</source>
      <translation>Ondrix Instance already running.</translation>
    </message>
  </context>
  <context>
    <name>ui_sequencer_t</name>
    <message>
      <source>Import Waveform</source>
      <translation>Import Waveform</translation>
    </message>
    <message>
      <source>Add Standard Waveform</source>
      <translation>Add Standard Waveform</translation>
    </message>
    <message>
      <source>Add Waveform by Equation Editor</source>
      <translation>Add Waveform by Equation Editor</translation>
    </message>
    <message>
      <source>Remove Waveform</source>
      <translation>Remove Waveform</translation>
    </message>
    <message>
      <source>Save Sequencer</source>
      <translation>Save Sequencer</translation>
    </message>
    <message>
      <source>Add Waveform to Sequencer</source>
      <translation>Add Waveform to Sequencer</translation>
    </message>
    <message>
      <source>Add All Waveforms to Sequencer</source>
      <translation>Add All Waveforms to Sequencer</translation>
    </message>
    <message>
      <source>Remove Waveform from the Sequencer</source>
      <translation>Remove Waveform from the Sequencer</translation>
    </message>
    <message>
      <source>Remove All Waveforms from the Sequencer</source>
      <translation>Remove All Waveforms from the Sequencer</translation>
    </message>
    <message>
      <source>Move Sequencer entry Up</source>
      <translation>Move Sequencer entry Up</translation>
    </message>
    <message>
      <source>Move Sequencer entry Down</source>
      <translation>Move Sequencer entry Down</translation>
    </message>
    <message>
      <source>Sequence Editor</source>
      <translation>Sequence Editor</translation>
    </message>
    <message>
      <source>Waveform</source>
      <translation>Waveform</translation>
    </message>
    <message>
      <source>Sequencer</source>
      <translation>Sequencer</translation>
    </message>
    <message>
      <source>Index</source>
      <translation>Index</translation>
    </message>
    <message>
      <source>Repetitions</source>
      <translation>Repetitions</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>Preview</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Add to Sequencer</source>
      <translation>Add to Sequencer</translation>
    </message>
    <message>
      <source>Edit Entry</source>
      <translation>Edit Entry</translation>
    </message>
    <message>
      <source>Remove</source>
      <translation>Remove</translation>
    </message>
  </context>
  <context>
    <name>ui_stdwvform_t</name>
    <message>
      <source>Standard Waveform</source>
      <translation>Standard Waveform</translation>
    </message>
    <message>
      <source>Settings</source>
      <translation>Settings</translation>
    </message>
    <message>
      <source>Vertical</source>
      <translation>Vertical</translation>
    </message>
    <message>
      <source>Ampl/Offset</source>
      <translation>Ampl/Offset</translation>
    </message>
    <message>
      <source>Max/Min</source>
      <translation>Max/Min</translation>
    </message>
    <message>
      <source>Horizontal</source>
      <translation>Horizontal</translation>
    </message>
    <message>
      <source>Transitions</source>
      <translation>Transitions</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>Preview</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Notes</source>
      <translation>Notes</translation>
    </message>
    <message>
      <source>Minimum Points:</source>
      <translation>Minimum Points:</translation>
    </message>
    <message>
      <source>2</source>
      <translation>2</translation>
    </message>
    <message>
      <source>Maximum Points:</source>
      <translation>Maximum Points:</translation>
    </message>
    <message>
      <source>15728640</source>
      <translation>15728640</translation>
    </message>
    <message>
      <source>Sine</source>
      <translation>Sine</translation>
    </message>
    <message>
      <source>Square</source>
      <translation>Square</translation>
    </message>
    <message>
      <source>Pulse</source>
      <translation>Pulse</translation>
    </message>
    <message>
      <source>Ramp</source>
      <translation>Ramp</translation>
    </message>
    <message>
      <source>Noise</source>
      <translation>Noise</translation>
    </message>
    <message>
      <source>DC</source>
      <translation>DC</translation>
    </message>
    <message>
      <source>Sinc</source>
      <translation>Sinc</translation>
    </message>
    <message>
      <source>Stair Step Up</source>
      <translation>Stair Step Up</translation>
    </message>
    <message>
      <source>Stair Step Down</source>
      <translation>Stair Step Down</translation>
    </message>
    <message>
      <source>Exponential Rise</source>
      <translation>Exponential Rise</translation>
    </message>
    <message>
      <source>Exponential Fall</source>
      <translation>Exponential Fall</translation>
    </message>
    <message>
      <source>Multi Pulse</source>
      <translation>Multi Pulse</translation>
    </message>
    <message>
      <source>Instrument Model:</source>
      <translation>Instrument Model:</translation>
    </message>
    <message>
      <source>Waveform Type:</source>
      <translation>Waveform Type:</translation>
    </message>
    <message>
      <source>Sample rate or pulse time invalid.
Please change and retry.</source>
      <translation>Sample rate or pulse time invalid.
Please change and retry.</translation>
    </message>
    <message>
      <source>Some parameters are invalid, and will adjust automatically.</source>
      <translation>Some parameters are invalid, and will adjust automatically.</translation>
    </message>
    <message>
      <source>Non-supported waveform points. Switch to another model.</source>
      <translation>Non-supported waveform points. Switch to another model.</translation>
    </message>
    <message>
      <source>Total Samples:</source>
      <translation>Total Samples:</translation>
    </message>
    <message>
      <source>Frequency:</source>
      <translation>Frequency:</translation>
    </message>
    <message>
      <source>Cycles:</source>
      <translation>Cycles:</translation>
    </message>
    <message>
      <source>Phase:</source>
      <translation>Phase:</translation>
    </message>
    <message>
      <source>Amplitude:</source>
      <translation>Amplitude:</translation>
    </message>
    <message>
      <source>Offset:</source>
      <translation>Offset:</translation>
    </message>
    <message>
      <source>HighLevel:</source>
      <translation>HighLevel:</translation>
    </message>
    <message>
      <source>LowLevel:</source>
      <translation>LowLevel:</translation>
    </message>
    <message>
      <source>Duty Cycle</source>
      <translation>Duty Cycle</translation>
    </message>
    <message>
      <source>Sysmetry</source>
      <translation>Sysmetry</translation>
    </message>
    <message>
      <source>Pulse Width</source>
      <translation>Pulse Width</translation>
    </message>
    <message>
      <source>Rise Time</source>
      <translation>Rise Time</translation>
    </message>
    <message>
      <source>Fall Time</source>
      <translation>Fall Time</translation>
    </message>
    <message>
      <source>Damp Factor</source>
      <translation>Damp Factor</translation>
    </message>
    <message>
      <source>Zero Crossing</source>
      <translation>Zero Crossing</translation>
    </message>
    <message>
      <source>Step Count</source>
      <translation>Step Count</translation>
    </message>
    <message>
      <source>Pulse Number</source>
      <translation>Pulse Number</translation>
    </message>
    <message>
      <source>Sample Rate</source>
      <translation>Sample Rate</translation>
    </message>
    <message>
      <source>Positive Time</source>
      <translation>Positive Time</translation>
    </message>
    <message>
      <source>Negative Time</source>
      <translation>Negative Time</translation>
    </message>
  </context>
  <context>
    <name>ui_view_property_t</name>
    <message>
      <source>Display Properties</source>
      <translation>Display Properties</translation>
    </message>
    <message>
      <source>Waveform</source>
      <translation>Waveform</translation>
    </message>
    <message>
      <source>Cursor</source>
      <translation>Cursor</translation>
    </message>
    <message>
      <source>Grids</source>
      <translation>Grids</translation>
    </message>
    <message>
      <source>Time Scale</source>
      <translation>Time Scale</translation>
    </message>
    <message>
      <source>Y-Axis</source>
      <translation>Y-Axis</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Waveform Name:</source>
      <translation>Waveform Name:</translation>
    </message>
    <message>
      <source>Line Width:</source>
      <translation>Line Width:</translation>
    </message>
    <message>
      <source>Line Color:</source>
      <translation>Line Color:</translation>
    </message>
    <message>
      <source>Interpolation:</source>
      <translation>Interpolation:</translation>
    </message>
    <message>
      <source>Change Color...</source>
      <translation>Change Color...</translation>
    </message>
    <message>
      <source>Default</source>
      <translation>Default</translation>
    </message>
    <message>
      <source>X Cursor:</source>
      <translation>X Cursor:</translation>
    </message>
    <message>
      <source>Y Cursor:</source>
      <translation>Y Cursor:</translation>
    </message>
    <message>
      <source>X Color:</source>
      <translation>X Color:</translation>
    </message>
    <message>
      <source>Y Color:</source>
      <translation>Y Color:</translation>
    </message>
    <message>
      <source>Auto Scale</source>
      <translation>Auto Scale</translation>
    </message>
    <message>
      <source>Min:</source>
      <translation>Min:</translation>
    </message>
    <message>
      <source>Max:</source>
      <translation>Max:</translation>
    </message>
  </context>
  <context>
    <name>ui_waveform_cursor_sel_t</name>
    <message>
      <source>Selection</source>
      <translation>Selection</translation>
    </message>
    <message>
      <source>Start</source>
      <translation>Start</translation>
    </message>
    <message>
      <source>End</source>
      <translation>End</translation>
    </message>
    <message>
      <source>Deta</source>
      <translation>Deta</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>Points</translation>
    </message>
    <message>
      <source>Time</source>
      <translation>Time</translation>
    </message>
    <message>
      <source>Position</source>
      <translation>Position</translation>
    </message>
  </context>
  <context>
    <name>ui_waveform_cursor_t</name>
    <message>
      <source>X Cursors</source>
      <translation>X Cursors</translation>
    </message>
    <message>
      <source>Start</source>
      <translation>Start</translation>
    </message>
    <message>
      <source>End</source>
      <translation>End</translation>
    </message>
    <message>
      <source>Deta</source>
      <translation>Deta</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>Points</translation>
    </message>
    <message>
      <source>Time</source>
      <translation>Time</translation>
    </message>
    <message>
      <source>Y Cursors</source>
      <translation>Y Cursors</translation>
    </message>
    <message>
      <source>Volte</source>
      <translation>Volte</translation>
    </message>
  </context>
  <context>
    <name>ui_waveform_instr_param_t</name>
    <message>
      <source>Amplitude:</source>
      <translation>Amplitude:</translation>
    </message>
    <message>
      <source>Offset:</source>
      <translation>Offset:</translation>
    </message>
    <message>
      <source>Frequency</source>
      <translation>Frequency</translation>
    </message>
    <message>
      <source>Phase:</source>
      <translation>Phase:</translation>
    </message>
    <message>
      <source>Points:</source>
      <translation>Points:</translation>
    </message>
  </context>
  <context>
    <name>ui_waveform_t</name>
    <message>
      <source>Open</source>
      <translation>Open</translation>
    </message>
    <message>
      <source>Save</source>
      <translation>Save</translation>
    </message>
    <message>
      <source>Close</source>
      <translation>Close</translation>
    </message>
    <message>
      <source>Cut</source>
      <translation>Cut</translation>
    </message>
    <message>
      <source>Copy</source>
      <translation>Copy</translation>
    </message>
    <message>
      <source>Paste</source>
      <translation>Paste</translation>
    </message>
    <message>
      <source>Select</source>
      <translation>Select</translation>
    </message>
    <message>
      <source>Select |X|</source>
      <translation>Select |X|</translation>
    </message>
    <message>
      <source>Select All</source>
      <translation>Select All</translation>
    </message>
    <message>
      <source>Zoom</source>
      <translation>Zoom</translation>
    </message>
    <message>
      <source>Zoom X</source>
      <translation>Zoom X</translation>
    </message>
    <message>
      <source>Zoom Y</source>
      <translation>Zoom Y</translation>
    </message>
    <message>
      <source>Zoom Area</source>
      <translation>Zoom Area</translation>
    </message>
    <message>
      <source>Fit to Window</source>
      <translation>Fit to Window</translation>
    </message>
    <message>
      <source>Hand draw</source>
      <translation>Hand draw</translation>
    </message>
    <message>
      <source>Horizontal Line</source>
      <translation>Horizontal Line</translation>
    </message>
    <message>
      <source>Vertical Line</source>
      <translation>Vertical Line</translation>
    </message>
    <message>
      <source>Oblique Line</source>
      <translation>Oblique Line</translation>
    </message>
    <message>
      <source>Point</source>
      <translation>Point</translation>
    </message>
    <message>
      <source>Waveform Properties</source>
      <translation>Waveform Properties</translation>
    </message>
    <message>
      <source>Send waveform to AWG</source>
      <translation>Send waveform to AWG</translation>
    </message>
    <message>
      <source>Disable Point Draw</source>
      <translation>Disable Point Draw</translation>
    </message>
    <message>
      <source>Select Previous Point</source>
      <translation>Select Previous Point</translation>
    </message>
    <message>
      <source>Select Next Point</source>
      <translation>Select Next Point</translation>
    </message>
    <message>
      <source>Delete Selected Point</source>
      <translation>Delete Selected Point</translation>
    </message>
    <message>
      <source>Edit Points by Table</source>
      <translation>Edit Points by Table</translation>
    </message>
    <message>
      <source>Clear All Points</source>
      <translation>Clear All Points</translation>
    </message>
    <message>
      <source>Interpolation</source>
      <translation>Interpolation</translation>
    </message>
    <message>
      <source>Linear</source>
      <translation>Linear</translation>
    </message>
    <message>
      <source>Smooth</source>
      <translation>Smooth</translation>
    </message>
    <message>
      <source>Staircase</source>
      <translation>Staircase</translation>
    </message>
    <message>
      <source>Unknown error occurred!</source>
      <translation>Unknown error occurred!</translation>
    </message>
    <message>
      <source>Application exceeds the supported data points.</source>
      <translation>Application exceeds the supported data points.</translation>
    </message>
  </context>
  <context>
    <name>ui_window_form_t</name>
    <message>
      <source>Window Function</source>
      <translation>Window Function</translation>
    </message>
    <message>
      <source>Waveform Source</source>
      <translation>Waveform Source</translation>
    </message>
    <message>
      <source>Resultant Waveform</source>
      <translation>Resultant Waveform</translation>
    </message>
    <message>
      <source>Parameters</source>
      <translation>Parameters</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Waveform Source:</source>
      <translation>Waveform Source:</translation>
    </message>
    <message>
      <source>Window Function:</source>
      <translation>Window Function:</translation>
    </message>
    <message>
      <source>Rectangle</source>
      <translation>Rectangle</translation>
    </message>
    <message>
      <source>Triangle</source>
      <translation>Triangle</translation>
    </message>
    <message>
      <source>Hanning</source>
      <translation>Hanning</translation>
    </message>
    <message>
      <source>Hamming</source>
      <translation>Hamming</translation>
    </message>
    <message>
      <source>Blackman</source>
      <translation>Blackman</translation>
    </message>
    <message>
      <source>Kaiser</source>
      <translation>Kaiser</translation>
    </message>
    <message>
      <source>BlackmanHarris</source>
      <translation>BlackmanHarris</translation>
    </message>
    <message>
      <source>Gauss</source>
      <translation>Gauss</translation>
    </message>
    <message>
      <source>Bartlett</source>
      <translation>Bartlett</translation>
    </message>
    <message>
      <source>Fall Exp</source>
      <translation>Fall Exp</translation>
    </message>
    <message>
      <source>FlatTop</source>
      <translation>FlatTop</translation>
    </message>
    <message>
      <source>Force</source>
      <translation>Force</translation>
    </message>
    <message>
      <source>File creation failed.</source>
      <translation>File creation failed.</translation>
    </message>
  </context>
  <context>
    <name>ui_wv_property_form_t</name>
    <message>
      <source>Waveform Properties</source>
      <translation>Waveform Properties</translation>
    </message>
    <message>
      <source>Parameters</source>
      <translation>Parameters</translation>
    </message>
    <message>
      <source>Convert to digital wave</source>
      <translation>Convert to digital wave</translation>
    </message>
    <message>
      <source>Waveform Preview</source>
      <translation>Waveform Preview</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>Preview</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Point Table</source>
      <translation>Point Table</translation>
    </message>
    <message>
      <source>Goto</source>
      <translation>Goto</translation>
    </message>
    <message>
      <source>Index:</source>
      <translation>Index:</translation>
    </message>
    <message>
      <source>Page:</source>
      <translation>Page:</translation>
    </message>
    <message>
      <source>Wave Name:</source>
      <translation>Wave Name:</translation>
    </message>
    <message>
      <source>Wave Length:</source>
      <translation>Wave Length:</translation>
    </message>
    <message>
      <source>Frequency:</source>
      <translation>Frequency:</translation>
    </message>
    <message>
      <source>The waveform name is invalid. It can be composed of numbers, letters, underscores and minus signs. The length is 1 ~ 18 and cannot contain spaces.</source>
      <translation>The waveform name is invalid. It can be composed of numbers, letters, underscores and minus signs. The length is 1 ~ 18 and cannot contain spaces.</translation>
    </message>
    <message>
      <source>Positions</source>
      <translation>Positions</translation>
    </message>
    <message>
      <source>Value(V)</source>
      <translation>Value(V)</translation>
    </message>
  </context>
  <context>
    <name>ui_wv_settings_t</name>
    <message>
      <source>New Waveform</source>
      <translation>New Waveform</translation>
    </message>
    <message>
      <source>Waveform Properties</source>
      <translation>Waveform Properties</translation>
    </message>
    <message>
      <source>Instrument</source>
      <translation>Instrument</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Fixed</source>
      <translation>Fixed</translation>
    </message>
    <message>
      <source>Variable</source>
      <translation>Variable</translation>
    </message>
    <message>
      <source>Waveform Name:</source>
      <translation>Waveform Name:</translation>
    </message>
    <message>
      <source>Samples:</source>
      <translation>Samples:</translation>
    </message>
    <message>
      <source>Frequency:</source>
      <translation>Frequency:</translation>
    </message>
    <message>
      <source>The waveform name is invalid. It can be composed of numbers, letters, underscores and minus signs. The length is 1 ~ 18 and cannot contain spaces.</source>
      <translation>The waveform name is invalid. It can be composed of numbers, letters, underscores and minus signs. The length is 1 ~ 18 and cannot contain spaces.</translation>
    </message>
  </context>
  <context>
    <name>ui_wvform_repe_t</name>
    <message>
      <source>Waveform Repetitions</source>
      <translation>Waveform Repetitions</translation>
    </message>
    <message>
      <source>Wave Repetitions:</source>
      <translation>Wave Repetitions:</translation>
    </message>
    <message>
      <source>Total Samples:</source>
      <translation>Total Samples:</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
  </context>
  <context>
    <name>ui_wvmath_form_t</name>
    <message>
      <source>Waveform Math</source>
      <translation>Waveform Math</translation>
    </message>
    <message>
      <source>Selected Waveform</source>
      <translation>Selected Waveform</translation>
    </message>
    <message>
      <source>Waveform Source</source>
      <translation>Waveform Source</translation>
    </message>
    <message>
      <source>Resultant Waveform</source>
      <translation>Resultant Waveform</translation>
    </message>
    <message>
      <source>Operation</source>
      <translation>Operation</translation>
    </message>
    <message>
      <source>Addition</source>
      <translation>Addition</translation>
    </message>
    <message>
      <source>Subtraction</source>
      <translation>Subtraction</translation>
    </message>
    <message>
      <source>Multiplication</source>
      <translation>Multiplication</translation>
    </message>
    <message>
      <source>Division</source>
      <translation>Division</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <source>Sine</source>
      <translation>Sine</translation>
    </message>
    <message>
      <source>Square</source>
      <translation>Square</translation>
    </message>
    <message>
      <source>Pulse</source>
      <translation>Pulse</translation>
    </message>
    <message>
      <source>Ramp</source>
      <translation>Ramp</translation>
    </message>
    <message>
      <source>Noise</source>
      <translation>Noise</translation>
    </message>
    <message>
      <source>DC</source>
      <translation>DC</translation>
    </message>
    <message>
      <source>Sinc</source>
      <translation>Sinc</translation>
    </message>
    <message>
      <source>Stair Step Up</source>
      <translation>Stair Step Up</translation>
    </message>
    <message>
      <source>Stair Step Down</source>
      <translation>Stair Step Down</translation>
    </message>
    <message>
      <source>Exponential Rise</source>
      <translation>Exponential Rise</translation>
    </message>
    <message>
      <source>Exponential Fall</source>
      <translation>Exponential Fall</translation>
    </message>
    <message>
      <source>Waveform Library:</source>
      <translation>Waveform Library:</translation>
    </message>
    <message>
      <source>Math Data:</source>
      <translation>Math Data:</translation>
    </message>
    <message>
      <source>Copy from Clipboard</source>
      <translation>Copy from Clipboard</translation>
    </message>
    <message>
      <source>The data in the clipboard is too large.</source>
      <translation>The data in the clipboard is too large.</translation>
    </message>
  </context>
</TS>
