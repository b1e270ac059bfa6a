<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
  <context>
    <name>ui_about_info_t</name>
    <message>
      <source>About Ondrix</source>
      <translation>关于 Ondrix</translation>
    </message>
    <message>
      <source>Ondrix</source>
      <translation>Ondrix</translation>
    </message>
    <message>
      <source>Ondrix developers. All rights reserved.</source>
      <translation>Ondrix 开发者 版权所有</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Version:</source>
      <translation>版本：</translation>
    </message>
  </context>
  <context>
    <name>ui_comb_fix_free_form_t</name>
    <message>
      <source>Fixed</source>
      <translation>固定</translation>
    </message>
    <message>
      <source>Variable</source>
      <translation>可变</translation>
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
      <translation>线性</translation>
    </message>
    <message>
      <source>0-order hold</source>
      <translation>零阶保持</translation>
    </message>
  </context>
  <context>
    <name>ui_combx_t</name>
    <message>
      <source>μHz</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>mHz</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Hz</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>kHz</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>MHz</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>ns</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>μs</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>ms</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>s</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>ks</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>mV</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>V</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>μSa/s</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>mSa/s</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Sa/s</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>kSa/s</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>MSa/s</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>GSa/s</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Sa</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>degrees</source>
      <translation>度</translation>
    </message>
    <message>
      <source>%</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>dB</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>μbps</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>mbps</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>bps</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>kbps</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Mbps</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Gbps</source>
      <translation type="unfinished" />
    </message>
  </context>
  <context>
    <name>ui_comm_tree_form_t</name>
    <message>
      <source>Devices and Interfaces</source>
      <translation>设备和接口</translation>
    </message>
    <message>
      <source>Network Devices</source>
      <translation>网络设备</translation>
    </message>
    <message>
      <source>Refresh</source>
      <translation>刷新</translation>
    </message>
    <message>
      <source>Create VISA TCP/IP Resource</source>
      <translation>创建 VISA TCP/IP 资源</translation>
    </message>
    <message>
      <source>Send waveform to AWG</source>
      <translation>发送波形到 AWG</translation>
    </message>
    <message>
      <source>Read waveform from AWG</source>
      <translation>从 AWG 读取波形</translation>
    </message>
    <message>
      <source>Import waveform from scope</source>
      <translation>从示波器导入波形</translation>
    </message>
    <message>
      <source>Delete Resource</source>
      <translation>删除资源</translation>
    </message>
    <message>
      <source>Non-supported manufacturer or unavailable resource. Continue with openning other resources.</source>
      <translation>不支持的制造商或资源不可用。请继续打开其他资源。</translation>
    </message>
  </context>
  <context>
    <name>ui_control_panel_t</name>
    <message>
      <source>Form</source>
      <translation>窗体</translation>
    </message>
  </context>
  <context>
    <name>ui_cursor_setting_t</name>
    <message>
      <source>Cursor Settings</source>
      <translation>光标设置</translation>
    </message>
    <message>
      <source>Cursor X</source>
      <translation>X 光标</translation>
    </message>
    <message>
      <source>Cursor Y</source>
      <translation>Y 光标</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>点数</translation>
    </message>
    <message>
      <source>Seconds</source>
      <translation>秒</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>X1:</source>
      <translation>X1：</translation>
    </message>
    <message>
      <source>X2:</source>
      <translation>X2：</translation>
    </message>
    <message>
      <source>Y1:</source>
      <translation>Y1：</translation>
    </message>
    <message>
      <source>Y2:</source>
      <translation>Y2：</translation>
    </message>
  </context>
  <context>
    <name>ui_digtal_wave_form_t</name>
    <message>
      <source>Form</source>
      <translation>窗体</translation>
    </message>
    <message>
      <source>Settings</source>
      <translation>设置</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>预览</translation>
    </message>
    <message>
      <source>Channel Setting</source>
      <translation>通道设置</translation>
    </message>
    <message>
      <source>All Channel</source>
      <translation>全部通道</translation>
    </message>
    <message>
      <source>Single Channel</source>
      <translation>单通道</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Value Table</source>
      <translation>数值表</translation>
    </message>
    <message>
      <source>Goto</source>
      <translation>转到</translation>
    </message>
    <message>
      <source>1_bit</source>
      <translation>1位</translation>
    </message>
    <message>
      <source>16_bit</source>
      <translation>16位</translation>
    </message>
    <message>
      <source>Quick setting</source>
      <translation>快速设置</translation>
    </message>
    <message>
      <source>Default</source>
      <translation>默认</translation>
    </message>
    <message>
      <source>Zero</source>
      <translation>清零</translation>
    </message>
    <message>
      <source>Invert</source>
      <translation>反相</translation>
    </message>
    <message>
      <source>Channel Copy</source>
      <translation>通道复制</translation>
    </message>
    <message>
      <source>Copy</source>
      <translation>复制</translation>
    </message>
    <message>
      <source>-&gt;</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Index:</source>
      <translation>索引：</translation>
    </message>
    <message>
      <source>Page:</source>
      <translation>页：</translation>
    </message>
    <message>
      <source>Wave Length:</source>
      <translation>波形长度：</translation>
    </message>
    <message>
      <source>Bit Rate:</source>
      <translation>比特率：</translation>
    </message>
    <message>
      <source>D%1</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>ALL</source>
      <translation>全部</translation>
    </message>
    <message>
      <source>Paste</source>
      <translation>粘贴</translation>
    </message>
    <message>
      <source>Insert</source>
      <translation>插入</translation>
    </message>
    <message>
      <source>Delete</source>
      <translation>删除</translation>
    </message>
    <message>
      <source>Copy to</source>
      <translation>复制到</translation>
    </message>
    <message>
      <source>All</source>
      <translation>全部</translation>
    </message>
    <message>
      <source>Positions</source>
      <translation>位置</translation>
    </message>
    <message>
      <source>Value</source>
      <translation>数值</translation>
    </message>
  </context>
  <context>
    <name>ui_draw_point_t</name>
    <message>
      <source>The function is for Editting Points.</source>
      <translation>此功能用于编辑点。</translation>
    </message>
    <message>
      <source>Please enable the points editting first.</source>
      <translation>请先启用点编辑。</translation>
    </message>
    <message>
      <source>This edit operation will cover the current points. Continue?</source>
      <translation>此编辑操作将覆盖当前的点。是否继续？</translation>
    </message>
    <message>
      <source>This edit operation will cover the current points.</source>
      <translation>此编辑操作将覆盖当前的点。</translation>
    </message>
  </context>
  <context>
    <name>ui_equation_form_t</name>
    <message>
      <source>Equation Editor</source>
      <translation>公式编辑器</translation>
    </message>
    <message>
      <source>Equation</source>
      <translation>公式</translation>
    </message>
    <message>
      <source>Status</source>
      <translation>状态</translation>
    </message>
    <message>
      <source>Command Shortcut</source>
      <translation>快捷命令</translation>
    </message>
    <message>
      <source>Settings</source>
      <translation>设置</translation>
    </message>
    <message>
      <source>Notes</source>
      <translation>说明</translation>
    </message>
    <message>
      <source>Minimum Points:</source>
      <translation>最小点数：</translation>
    </message>
    <message>
      <source>2</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Maximum Points:</source>
      <translation>最大点数：</translation>
    </message>
    <message>
      <source>20971520</source>
      <translation>20971520</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>预览</translation>
    </message>
    <message>
      <source>Open</source>
      <translation>打开</translation>
    </message>
    <message>
      <source>Save</source>
      <translation>保存</translation>
    </message>
    <message>
      <source>Compile</source>
      <translation>编译</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Instrument Model:</source>
      <translation>仪器型号：</translation>
    </message>
    <message>
      <source>#Input equations here</source>
      <translation>#在此输入公式</translation>
    </message>
    <message>
      <source>Samples:</source>
      <translation>采样点数：</translation>
    </message>
    <message>
      <source>Frequency:</source>
      <translation>频率：</translation>
    </message>
    <message>
      <source>Error in line: </source>
      <translation>出错行：</translation>
    </message>
    <message>
      <source>System Error.    error index: </source>
      <translation>系统错误。    错误代码：</translation>
    </message>
    <message>
      <source>Character Error.    error index: </source>
      <translation>字符错误。    错误代码：</translation>
    </message>
    <message>
      <source>Function Error.    error index: </source>
      <translation>函数错误。    错误代码：</translation>
    </message>
    <message>
      <source>Function Error in parameter.   error index: </source>
      <translation>函数参数错误。   错误代码：</translation>
    </message>
    <message>
      <source>No valid equations.</source>
      <translation>没有有效的公式。</translation>
    </message>
    <message>
      <source>The parameter is out of range. The argument has to be: 
x2 &gt; x1 &gt;= 1 and x2 &lt;= Samples 
error index: </source>
      <translation>参数超出范围。参数必须满足：
x2 &gt; x1 &gt;= 1 且 x2 &lt;= 采样点数
错误代码：</translation>
    </message>
    <message>
      <source>Compile Successfully.</source>
      <translation>编译成功。</translation>
    </message>
    <message>
      <source>Error occurred. error index: </source>
      <translation>发生错误。错误代码：</translation>
    </message>
    <message>
      <source>The file could not be read.</source>
      <translation>无法读取该文件。</translation>
    </message>
    <message>
      <source>Save As</source>
      <translation>另存为</translation>
    </message>
    <message>
      <source>The file could not be saved.</source>
      <translation>无法保存该文件。</translation>
    </message>
  </context>
  <context>
    <name>ui_filter_form_t</name>
    <message>
      <source>Filter</source>
      <translation>滤波</translation>
    </message>
    <message>
      <source>Waveform Source</source>
      <translation>波形源</translation>
    </message>
    <message>
      <source>Magnitude Response(dB)</source>
      <translation>幅频响应(dB)</translation>
    </message>
    <message>
      <source>Resultant Waveform</source>
      <translation>结果波形</translation>
    </message>
    <message>
      <source>Parameters</source>
      <translation>参数</translation>
    </message>
    <message>
      <source>Design Filter</source>
      <translation>设计滤波器</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>ButterworthLowPass</source>
      <translation>巴特沃斯低通</translation>
    </message>
    <message>
      <source>ButterworthHighPass</source>
      <translation>巴特沃斯高通</translation>
    </message>
    <message>
      <source>ButterworthBandPass</source>
      <translation>巴特沃斯带通</translation>
    </message>
    <message>
      <source>ButterworthBandStop</source>
      <translation>巴特沃斯带阻</translation>
    </message>
    <message>
      <source>ChebyshevLowPass</source>
      <translation>切比雪夫低通</translation>
    </message>
    <message>
      <source>ChebyshevHighPass</source>
      <translation>切比雪夫高通</translation>
    </message>
    <message>
      <source>ChebyshevBandPass</source>
      <translation>切比雪夫带通</translation>
    </message>
    <message>
      <source>ChebyshevBandStop</source>
      <translation>切比雪夫带阻</translation>
    </message>
    <message>
      <source>InvChebyshevLowPass</source>
      <translation>反切比雪夫低通</translation>
    </message>
    <message>
      <source>InvChebyshevHighPass</source>
      <translation>反切比雪夫高通</translation>
    </message>
    <message>
      <source>InvChebyshevBandPass</source>
      <translation>反切比雪夫带通</translation>
    </message>
    <message>
      <source>InvChebyshevBandStop</source>
      <translation>反切比雪夫带阻</translation>
    </message>
    <message>
      <source>EllipticLowPass</source>
      <translation>椭圆低通</translation>
    </message>
    <message>
      <source>EllipticHighPass</source>
      <translation>椭圆高通</translation>
    </message>
    <message>
      <source>EllipticBandPass</source>
      <translation>椭圆带通</translation>
    </message>
    <message>
      <source>EllipticBandStop</source>
      <translation>椭圆带阻</translation>
    </message>
    <message>
      <source>Fpass:</source>
      <translation>Fpass：</translation>
    </message>
    <message>
      <source>Fstop:</source>
      <translation>Fstop：</translation>
    </message>
    <message>
      <source>Apass:</source>
      <translation>Apass：</translation>
    </message>
    <message>
      <source>Astop:</source>
      <translation>Astop：</translation>
    </message>
    <message>
      <source>Fstop1:</source>
      <translation>Fstop1：</translation>
    </message>
    <message>
      <source>Fpass1:</source>
      <translation>Fpass1：</translation>
    </message>
    <message>
      <source>Fpass2:</source>
      <translation>Fpass2：</translation>
    </message>
    <message>
      <source>Fstop2:</source>
      <translation>Fstop2：</translation>
    </message>
    <message>
      <source>Astop1(Astop2):</source>
      <translation>Astop1(Astop2)：</translation>
    </message>
    <message>
      <source>Apass1(Apass2):</source>
      <translation>Apass1(Apass2)：</translation>
    </message>
    <message>
      <source>Magnitude[dB]</source>
      <translation>幅度[dB]</translation>
    </message>
    <message>
      <source>Waveform Source:</source>
      <translation>波形源：</translation>
    </message>
    <message>
      <source>Filter Type:</source>
      <translation>滤波器类型：</translation>
    </message>
    <message>
      <source>Fs:</source>
      <translation>Fs：</translation>
    </message>
    <message>
      <source>
The filter's order is out of range.
</source>
      <translation>
滤波器阶数超出范围。
</translation>
    </message>
    <message>
      <source>
The filter's parameter is out of range.
</source>
      <translation>
滤波器参数超出范围。
</translation>
    </message>
    <message>
      <source>
Unpredictable error occurred about Filter.
</source>
      <translation>
滤波器发生不可预知的错误。
</translation>
    </message>
    <message>
      <source>Math Exception: Parameter must meet the condition below:
0 &lt;= fpass &lt;= (fs/2)
</source>
      <translation>数学异常：参数必须满足以下条件：
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
      <translation>数学异常：参数必须满足以下条件：
低通：fpass &lt; fstop
高通：fpass &gt; fstop
带通：fstop1 &lt; fpass1 &lt; fpass2 &lt; fstop2
带阻：fpass1 &lt; fstop1 &lt; fstop2 &lt; fpass2
</translation>
    </message>
    <message>
      <source>
Unpredictable error occurred about apass or astop.
</source>
      <translation>
apass 或 astop 发生不可预知的错误。
</translation>
    </message>
  </context>
  <context>
    <name>ui_instr_model_form_t</name>
    <message>
      <source>CH1</source>
      <translation>通道1</translation>
    </message>
    <message>
      <source>CH2</source>
      <translation>通道2</translation>
    </message>
    <message>
      <source>CH3</source>
      <translation>通道3</translation>
    </message>
    <message>
      <source>CH4</source>
      <translation>通道4</translation>
    </message>
    <message>
      <source>Instrument Model:</source>
      <translation>仪器型号：</translation>
    </message>
  </context>
  <context>
    <name>ui_ip_create_form_t</name>
    <message>
      <source>Create VISA TCP/IP Resource</source>
      <translation>创建 VISA TCP/IP 资源</translation>
    </message>
    <message>
      <source>Entry IP Address</source>
      <translation>输入 IP 地址</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
  </context>
  <context>
    <name>ui_ondrix_sbar_t</name>
    <message>
      <source>Current Status: Idle</source>
      <translation>当前状态：空闲</translation>
    </message>
    <message>
      <source>Oscilloscope: unavailable</source>
      <translation>示波器：不可用</translation>
    </message>
    <message>
      <source>AWG: unavailable</source>
      <translation>AWG：不可用</translation>
    </message>
    <message>
      <source>Current Status: Normal</source>
      <translation>当前状态：正常</translation>
    </message>
    <message>
      <source>Oscilloscope: available</source>
      <translation>示波器：可用</translation>
    </message>
    <message>
      <source>AWG: available</source>
      <translation>AWG：可用</translation>
    </message>
  </context>
  <context>
    <name>ui_ondrix_t</name>
    <message>
      <source>No waveform exit.
Please create or open a waveform first.</source>
      <translation>没有波形。
请先创建或打开一个波形。</translation>
    </message>
    <message>
      <source>Ondrix</source>
      <translation>Ondrix</translation>
    </message>
    <message>
      <source>File creation failed.</source>
      <translation>文件创建失败。</translation>
    </message>
    <message>
      <source>Open</source>
      <translation>打开</translation>
    </message>
    <message>
      <source>File read failed, this file format is not supported.
Only '.csv', '.bin', and '.dat' format are supported.</source>
      <translation>文件读取失败，不支持此文件格式。
仅支持 '.csv'、'.bin' 和 '.dat' 格式。</translation>
    </message>
    <message>
      <source>File read failed, the points of wave are too small.
Valid range:2 ~ 20M.</source>
      <translation>文件读取失败，波形点数太少。
有效范围：2 ~ 20M。</translation>
    </message>
    <message>
      <source>File read failed, the points of wave are too large.
Valid range:2 ~ 20M.</source>
      <translation>文件读取失败，波形点数太多。
有效范围：2 ~ 20M。</translation>
    </message>
    <message>
      <source>File read failed, an unknown error occurred.</source>
      <translation>文件读取失败，发生未知错误。</translation>
    </message>
    <message>
      <source>Save As</source>
      <translation>另存为</translation>
    </message>
    <message>
      <source>File save failed, the file could not be written.</source>
      <translation>文件保存失败，无法写入文件。</translation>
    </message>
    <message>
      <source>File</source>
      <translation>文件</translation>
    </message>
    <message>
      <source>Edit</source>
      <translation>编辑</translation>
    </message>
    <message>
      <source>View</source>
      <translation>视图</translation>
    </message>
    <message>
      <source>Waveform</source>
      <translation>波形</translation>
    </message>
    <message>
      <source>Communication</source>
      <translation>通信</translation>
    </message>
    <message>
      <source>Control Panel</source>
      <translation>控制面板</translation>
    </message>
    <message>
      <source>Windows</source>
      <translation>窗口</translation>
    </message>
    <message>
      <source>Languages</source>
      <translation>语言</translation>
    </message>
    <message>
      <source>Help</source>
      <translation>帮助</translation>
    </message>
    <message>
      <source>Blank Waveform</source>
      <translation>空白波形</translation>
    </message>
    <message>
      <source>Equation Editor</source>
      <translation>公式编辑器</translation>
    </message>
    <message>
      <source>Ctrl+Q</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Standard Waveform</source>
      <translation>标准波形</translation>
    </message>
    <message>
      <source>Ctrl+W</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Close</source>
      <translation>关闭</translation>
    </message>
    <message>
      <source>Save</source>
      <translation>保存</translation>
    </message>
    <message>
      <source>Print preview</source>
      <translation>打印预览</translation>
    </message>
    <message>
      <source>Print</source>
      <translation>打印</translation>
    </message>
    <message>
      <source>Exit</source>
      <translation>退出</translation>
    </message>
    <message>
      <source>Ctrl+E</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Cut</source>
      <translation>剪切</translation>
    </message>
    <message>
      <source>Copy</source>
      <translation>复制</translation>
    </message>
    <message>
      <source>Paste</source>
      <translation>粘贴</translation>
    </message>
    <message>
      <source>Select |X|</source>
      <translation>选择 |X|</translation>
    </message>
    <message>
      <source>Select All</source>
      <translation>全选</translation>
    </message>
    <message>
      <source>Invert</source>
      <translation>反相</translation>
    </message>
    <message>
      <source>Mirror</source>
      <translation>镜像</translation>
    </message>
    <message>
      <source>Zoom-X</source>
      <translation>X 轴缩放</translation>
    </message>
    <message>
      <source>Zoom-Y</source>
      <translation>Y 轴缩放</translation>
    </message>
    <message>
      <source>Zoom-Area</source>
      <translation>区域缩放</translation>
    </message>
    <message>
      <source>Fit to Window</source>
      <translation>适合窗口</translation>
    </message>
    <message>
      <source>X Cursors</source>
      <translation>X 光标</translation>
    </message>
    <message>
      <source>Y Cursors</source>
      <translation>Y 光标</translation>
    </message>
    <message>
      <source>Grid</source>
      <translation>网格</translation>
    </message>
    <message>
      <source>Time Scale</source>
      <translation>时间刻度</translation>
    </message>
    <message>
      <source>Interpolation</source>
      <translation>插值</translation>
    </message>
    <message>
      <source>Linear</source>
      <translation>线性</translation>
    </message>
    <message>
      <source>0-order hold</source>
      <translation>零阶保持</translation>
    </message>
    <message>
      <source>Properties</source>
      <translation>属性</translation>
    </message>
    <message>
      <source>Sine</source>
      <translation>正弦波</translation>
    </message>
    <message>
      <source>Square</source>
      <translation>方波</translation>
    </message>
    <message>
      <source>Pulse</source>
      <translation>脉冲波</translation>
    </message>
    <message>
      <source>Ramp</source>
      <translation>锯齿波</translation>
    </message>
    <message>
      <source>DC</source>
      <translation>直流</translation>
    </message>
    <message>
      <source>Noise</source>
      <translation>噪声</translation>
    </message>
    <message>
      <source>Sinc</source>
      <translation>Sinc 波</translation>
    </message>
    <message>
      <source>Stair Step Up</source>
      <translation>上升阶梯波</translation>
    </message>
    <message>
      <source>Stair Step Down</source>
      <translation>下降阶梯波</translation>
    </message>
    <message>
      <source>Exponential Rise</source>
      <translation>指数上升</translation>
    </message>
    <message>
      <source>Exponential Fall</source>
      <translation>指数下降</translation>
    </message>
    <message>
      <source>Multi pulse</source>
      <translation>多脉冲</translation>
    </message>
    <message>
      <source>Send waveform to AWG</source>
      <translation>发送波形到 AWG</translation>
    </message>
    <message>
      <source>Ctrl+Alt+S</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Read waveform from AWG</source>
      <translation>从 AWG 读取波形</translation>
    </message>
    <message>
      <source>Ctrl+Alt+R</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Import waveform from scope</source>
      <translation>从示波器导入波形</translation>
    </message>
    <message>
      <source>Ctrl+Alt+I</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Refresh</source>
      <translation>刷新</translation>
    </message>
    <message>
      <source>Cascade</source>
      <translation>层叠</translation>
    </message>
    <message>
      <source>Title</source>
      <translation>平铺</translation>
    </message>
    <message>
      <source>Close All</source>
      <translation>全部关闭</translation>
    </message>
    <message>
      <source>Chinese</source>
      <translation>中文</translation>
    </message>
    <message>
      <source>English</source>
      <translation>English</translation>
    </message>
    <message>
      <source>User Help</source>
      <translation>用户帮助</translation>
    </message>
    <message>
      <source>Website</source>
      <translation>网站</translation>
    </message>
    <message>
      <source>About Ondrix</source>
      <translation>关于 Ondrix</translation>
    </message>
    <message>
      <source>Language changed successfully. The application will close now. Please restart the application after it closes.</source>
      <translation>语言切换成功。程序将立即关闭，请在关闭后重新启动程序。</translation>
    </message>
    <message>
      <source>Failed to change language.</source>
      <translation>切换语言失败。</translation>
    </message>
    <message>
      <source>Can not find document.</source>
      <translation>找不到文档。</translation>
    </message>
    <message>
      <source>No Device</source>
      <translation>无设备</translation>
    </message>
    <message>
      <source> </source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Current Status: Normal</source>
      <translation>当前状态：正常</translation>
    </message>
    <message>
      <source>Current Status: Idle</source>
      <translation>当前状态：空闲</translation>
    </message>
    <message>
      <source>Oscilloscope: available</source>
      <translation>示波器：可用</translation>
    </message>
    <message>
      <source>Oscilloscope: unavailable</source>
      <translation>示波器：不可用</translation>
    </message>
    <message>
      <source>AWG: available</source>
      <translation>AWG：可用</translation>
    </message>
    <message>
      <source>AWG: unavailable</source>
      <translation>AWG：不可用</translation>
    </message>
    <message>
      <source>Create a new blank waveform (Ctrl+N)</source>
      <translation>新建空白波形 (Ctrl+N)</translation>
    </message>
    <message>
      <source>Open existing waveform (Ctrl+O)</source>
      <translation>打开已有波形 (Ctrl+O)</translation>
    </message>
    <message>
      <source>Save the waveform (Ctrl+S)</source>
      <translation>保存波形 (Ctrl+S)</translation>
    </message>
    <message>
      <source>Cut the selected waveform (Ctrl+X)</source>
      <translation>剪切选中的波形 (Ctrl+X)</translation>
    </message>
    <message>
      <source>Copy the selected waveform (Ctrl+C)</source>
      <translation>复制选中的波形 (Ctrl+C)</translation>
    </message>
    <message>
      <source>Paste waveform (Ctrl+V)</source>
      <translation>粘贴波形 (Ctrl+V)</translation>
    </message>
    <message>
      <source>Undo (%1)</source>
      <translation>撤销 (%1)</translation>
    </message>
    <message>
      <source>Redo (%1)</source>
      <translation>重做 (%1)</translation>
    </message>
    <message>
      <source>Basic Operation</source>
      <translation>基本操作</translation>
    </message>
    <message>
      <source>Zoom X-Axis</source>
      <translation>缩放 X 轴</translation>
    </message>
    <message>
      <source>Zoom Y-Axis</source>
      <translation>缩放 Y 轴</translation>
    </message>
    <message>
      <source>Zoom area</source>
      <translation>区域缩放</translation>
    </message>
    <message>
      <source>Fit waveform to display</source>
      <translation>波形适合显示</translation>
    </message>
    <message>
      <source>Zoom</source>
      <translation>缩放</translation>
    </message>
    <message>
      <source>Sine waveform</source>
      <translation>正弦波</translation>
    </message>
    <message>
      <source>Square waveform</source>
      <translation>方波</translation>
    </message>
    <message>
      <source>Pulse waveform</source>
      <translation>脉冲波</translation>
    </message>
    <message>
      <source>Ramp waveform</source>
      <translation>锯齿波</translation>
    </message>
    <message>
      <source>DC waveform</source>
      <translation>直流波形</translation>
    </message>
    <message>
      <source>Noise waveform</source>
      <translation>噪声波形</translation>
    </message>
    <message>
      <source>Basic Wave</source>
      <translation>基本波形</translation>
    </message>
    <message>
      <source>Sinc waveform</source>
      <translation>Sinc 波形</translation>
    </message>
    <message>
      <source>Stair step up waveform</source>
      <translation>上升阶梯波形</translation>
    </message>
    <message>
      <source>Stair step  down waveform</source>
      <translation>下降阶梯波形</translation>
    </message>
    <message>
      <source>Exponential rise waveform</source>
      <translation>指数上升波形</translation>
    </message>
    <message>
      <source>Exponential fall waveform</source>
      <translation>指数下降波形</translation>
    </message>
    <message>
      <source>Multi Pulse waveform</source>
      <translation>多脉冲波形</translation>
    </message>
    <message>
      <source>Advanced Wave</source>
      <translation>高级波形</translation>
    </message>
    <message>
      <source>Digital Wave</source>
      <translation>数字波形</translation>
    </message>
    <message>
      <source>Equation Editor (Ctrl+Q)</source>
      <translation>公式编辑器 (Ctrl+Q)</translation>
    </message>
    <message>
      <source>Wave parameter setting</source>
      <translation>波形参数设置</translation>
    </message>
    <message>
      <source>Wave Parameter</source>
      <translation>波形参数</translation>
    </message>
    <message>
      <source>Waveform properties</source>
      <translation>波形属性</translation>
    </message>
    <message>
      <source>Display properties</source>
      <translation>显示属性</translation>
    </message>
    <message>
      <source>Property</source>
      <translation>属性</translation>
    </message>
    <message>
      <source>X cursors</source>
      <translation>X 光标</translation>
    </message>
    <message>
      <source>Y cursors</source>
      <translation>Y 光标</translation>
    </message>
    <message>
      <source>Edit cursors</source>
      <translation>编辑光标</translation>
    </message>
    <message>
      <source>Cursor</source>
      <translation>光标</translation>
    </message>
    <message>
      <source>Select mode (Ctrl+Shift+A)</source>
      <translation>选择模式 (Ctrl+Shift+A)</translation>
    </message>
    <message>
      <source>Ctrl+Shift+A</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Select waveform between X Cursors</source>
      <translation>选择 X 光标之间的波形</translation>
    </message>
    <message>
      <source>Select whole waveform (Ctrl+A)</source>
      <translation>选择整个波形 (Ctrl+A)</translation>
    </message>
    <message>
      <source>Invert the selected waveform</source>
      <translation>反相选中的波形</translation>
    </message>
    <message>
      <source>Mirror the selected waveform</source>
      <translation>镜像选中的波形</translation>
    </message>
    <message>
      <source>Wave Operation</source>
      <translation>波形操作</translation>
    </message>
    <message>
      <source>Freehand draw</source>
      <translation>手绘</translation>
    </message>
    <message>
      <source>Horizontal line</source>
      <translation>水平线</translation>
    </message>
    <message>
      <source>Vertical line</source>
      <translation>垂直线</translation>
    </message>
    <message>
      <source>Oblique line</source>
      <translation>斜线</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>点数</translation>
    </message>
    <message>
      <source>Points table</source>
      <translation>点表</translation>
    </message>
    <message>
      <source>Move to previous point</source>
      <translation>移到上一个点</translation>
    </message>
    <message>
      <source>Move to next point</source>
      <translation>移到下一个点</translation>
    </message>
    <message>
      <source>Delete the selected point</source>
      <translation>删除选中的点</translation>
    </message>
    <message>
      <source>Clear all the points</source>
      <translation>清除所有点</translation>
    </message>
    <message>
      <source>Select the interpolation mode</source>
      <translation>选择插值方式</translation>
    </message>
    <message>
      <source>Draw Wave</source>
      <translation>绘制波形</translation>
    </message>
    <message>
      <source>Waveform Math</source>
      <translation>波形运算</translation>
    </message>
    <message>
      <source>Filter</source>
      <translation>滤波</translation>
    </message>
    <message>
      <source>Windowing</source>
      <translation>加窗</translation>
    </message>
    <message>
      <source>Math</source>
      <translation>运算</translation>
    </message>
    <message>
      <source>Refresh instruments connection</source>
      <translation>刷新仪器连接</translation>
    </message>
  </context>
  <context>
    <name>ui_panel_form_t</name>
    <message>
      <source>Dialog</source>
      <translation>对话框</translation>
    </message>
  </context>
  <context>
    <name>ui_paste_option_t</name>
    <message>
      <source>Paste Options</source>
      <translation>粘贴选项</translation>
    </message>
    <message>
      <source>Prepend to the waveform</source>
      <translation>插入到波形开头</translation>
    </message>
    <message>
      <source>Append to the waveform</source>
      <translation>追加到波形末尾</translation>
    </message>
    <message>
      <source>Replace between X Cursors</source>
      <translation>替换 X 光标之间的部分</translation>
    </message>
    <message>
      <source>Paste to active cursor</source>
      <translation>粘贴到当前光标</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
  </context>
  <context>
    <name>ui_point_table_form_t</name>
    <message>
      <source>Edit Points by Table</source>
      <translation>用表格编辑点</translation>
    </message>
    <message>
      <source>Point Table</source>
      <translation>点表</translation>
    </message>
    <message>
      <source>Insert Point</source>
      <translation>插入点</translation>
    </message>
    <message>
      <source>Delete Point</source>
      <translation>删除点</translation>
    </message>
    <message>
      <source>Clear All</source>
      <translation>全部清除</translation>
    </message>
    <message>
      <source>X Value</source>
      <translation>X 值</translation>
    </message>
    <message>
      <source>Time</source>
      <translation>时间</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>点数</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>The maximum number of points is </source>
      <translation>最大点数为 </translation>
    </message>
    <message>
      <source>Positions</source>
      <translation>位置</translation>
    </message>
    <message>
      <source>Volts</source>
      <translation>电压</translation>
    </message>
    <message>
      <source>The position of the point is out of range.</source>
      <translation>点的位置超出范围。</translation>
    </message>
    <message>
      <source>The points can't be in the same position.</source>
      <translation>点不能位于同一位置。</translation>
    </message>
    <message>
      <source>Insert Row</source>
      <translation>插入行</translation>
    </message>
    <message>
      <source>Delete Row</source>
      <translation>删除行</translation>
    </message>
  </context>
  <context>
    <name>ui_preview_plot_t</name>
    <message>
      <source>Amplitude[V]</source>
      <translation>幅度[V]</translation>
    </message>
  </context>
  <context>
    <name>ui_prompt_t</name>
    <message>
      <source>The system has run out of memory.
Please reduce number of points or files, and try again.</source>
      <translation>系统内存不足。
请减少点数或文件数后重试。</translation>
    </message>
    <message>
      <source>Save changes to the file </source>
      <translation>是否保存对文件的更改 </translation>
    </message>
    <message>
      <source>Ondrix Instance already running.</source>
      <translation>Ondrix 已在运行。</translation>
    </message>
  </context>
  <context>
    <name>ui_sequencer_t</name>
    <message>
      <source>Import Waveform</source>
      <translation>导入波形</translation>
    </message>
    <message>
      <source>Add Standard Waveform</source>
      <translation>添加标准波形</translation>
    </message>
    <message>
      <source>Add Waveform by Equation Editor</source>
      <translation>用公式编辑器添加波形</translation>
    </message>
    <message>
      <source>Remove Waveform</source>
      <translation>移除波形</translation>
    </message>
    <message>
      <source>Save Sequencer</source>
      <translation>保存序列</translation>
    </message>
    <message>
      <source>Add Waveform to Sequencer</source>
      <translation>将波形添加到序列</translation>
    </message>
    <message>
      <source>Add All Waveforms to Sequencer</source>
      <translation>将所有波形添加到序列</translation>
    </message>
    <message>
      <source>Remove Waveform from the Sequencer</source>
      <translation>从序列中移除波形</translation>
    </message>
    <message>
      <source>Remove All Waveforms from the Sequencer</source>
      <translation>从序列中移除所有波形</translation>
    </message>
    <message>
      <source>Move Sequencer entry Up</source>
      <translation>序列条目上移</translation>
    </message>
    <message>
      <source>Move Sequencer entry Down</source>
      <translation>序列条目下移</translation>
    </message>
    <message>
      <source>Sequence Editor</source>
      <translation>序列编辑器</translation>
    </message>
    <message>
      <source>Waveform</source>
      <translation>波形</translation>
    </message>
    <message>
      <source>Sequencer</source>
      <translation>序列</translation>
    </message>
    <message>
      <source>Index</source>
      <translation>索引</translation>
    </message>
    <message>
      <source>Repetitions</source>
      <translation>重复次数</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>预览</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Add to Sequencer</source>
      <translation>添加到序列</translation>
    </message>
    <message>
      <source>Edit Entry</source>
      <translation>编辑条目</translation>
    </message>
    <message>
      <source>Remove</source>
      <translation>移除</translation>
    </message>
  </context>
  <context>
    <name>ui_stdwvform_t</name>
    <message>
      <source>Standard Waveform</source>
      <translation>标准波形</translation>
    </message>
    <message>
      <source>Settings</source>
      <translation>设置</translation>
    </message>
    <message>
      <source>Vertical</source>
      <translation>垂直</translation>
    </message>
    <message>
      <source>Ampl/Offset</source>
      <translation>幅度/偏移</translation>
    </message>
    <message>
      <source>Max/Min</source>
      <translation>最大/最小</translation>
    </message>
    <message>
      <source>Horizontal</source>
      <translation>水平</translation>
    </message>
    <message>
      <source>Transitions</source>
      <translation>边沿</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>预览</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Notes</source>
      <translation>说明</translation>
    </message>
    <message>
      <source>Minimum Points:</source>
      <translation>最小点数：</translation>
    </message>
    <message>
      <source>2</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Maximum Points:</source>
      <translation>最大点数：</translation>
    </message>
    <message>
      <source>15728640</source>
      <translation type="unfinished" />
    </message>
    <message>
      <source>Sine</source>
      <translation>正弦波</translation>
    </message>
    <message>
      <source>Square</source>
      <translation>方波</translation>
    </message>
    <message>
      <source>Pulse</source>
      <translation>脉冲波</translation>
    </message>
    <message>
      <source>Ramp</source>
      <translation>锯齿波</translation>
    </message>
    <message>
      <source>Noise</source>
      <translation>噪声</translation>
    </message>
    <message>
      <source>DC</source>
      <translation>直流</translation>
    </message>
    <message>
      <source>Sinc</source>
      <translation>Sinc 波</translation>
    </message>
    <message>
      <source>Stair Step Up</source>
      <translation>上升阶梯波</translation>
    </message>
    <message>
      <source>Stair Step Down</source>
      <translation>下降阶梯波</translation>
    </message>
    <message>
      <source>Exponential Rise</source>
      <translation>指数上升</translation>
    </message>
    <message>
      <source>Exponential Fall</source>
      <translation>指数下降</translation>
    </message>
    <message>
      <source>Multi Pulse</source>
      <translation>多脉冲</translation>
    </message>
    <message>
      <source>Instrument Model:</source>
      <translation>仪器型号：</translation>
    </message>
    <message>
      <source>Waveform Type:</source>
      <translation>波形类型：</translation>
    </message>
    <message>
      <source>Sample rate or pulse time invalid.
Please change and retry.</source>
      <translation>采样率或脉冲时间无效。
请修改后重试。</translation>
    </message>
    <message>
      <source>Some parameters are invalid, and will adjust automatically.</source>
      <translation>部分参数无效，将自动调整。</translation>
    </message>
    <message>
      <source>Non-supported waveform points. Switch to another model.</source>
      <translation>不支持的波形点数，请切换到其他型号。</translation>
    </message>
    <message>
      <source>Total Samples:</source>
      <translation>总采样点数：</translation>
    </message>
    <message>
      <source>Frequency:</source>
      <translation>频率：</translation>
    </message>
    <message>
      <source>Cycles:</source>
      <translation>周期数：</translation>
    </message>
    <message>
      <source>Phase:</source>
      <translation>相位：</translation>
    </message>
    <message>
      <source>Amplitude:</source>
      <translation>幅度：</translation>
    </message>
    <message>
      <source>Offset:</source>
      <translation>偏移：</translation>
    </message>
    <message>
      <source>HighLevel:</source>
      <translation>高电平：</translation>
    </message>
    <message>
      <source>LowLevel:</source>
      <translation>低电平：</translation>
    </message>
    <message>
      <source>Duty Cycle</source>
      <translation>占空比</translation>
    </message>
    <message>
      <source>Sysmetry</source>
      <translation>对称性</translation>
    </message>
    <message>
      <source>Pulse Width</source>
      <translation>脉宽</translation>
    </message>
    <message>
      <source>Rise Time</source>
      <translation>上升时间</translation>
    </message>
    <message>
      <source>Fall Time</source>
      <translation>下降时间</translation>
    </message>
    <message>
      <source>Damp Factor</source>
      <translation>阻尼系数</translation>
    </message>
    <message>
      <source>Zero Crossing</source>
      <translation>过零点数</translation>
    </message>
    <message>
      <source>Step Count</source>
      <translation>阶梯数</translation>
    </message>
    <message>
      <source>Pulse Number</source>
      <translation>脉冲数</translation>
    </message>
    <message>
      <source>Sample Rate</source>
      <translation>采样率</translation>
    </message>
    <message>
      <source>Positive Time</source>
      <translation>正脉冲时间</translation>
    </message>
    <message>
      <source>Negative Time</source>
      <translation>负脉冲时间</translation>
    </message>
  </context>
  <context>
    <name>ui_view_property_t</name>
    <message>
      <source>Display Properties</source>
      <translation>显示属性</translation>
    </message>
    <message>
      <source>Waveform</source>
      <translation>波形</translation>
    </message>
    <message>
      <source>Cursor</source>
      <translation>光标</translation>
    </message>
    <message>
      <source>Grids</source>
      <translation>网格</translation>
    </message>
    <message>
      <source>Time Scale</source>
      <translation>时间刻度</translation>
    </message>
    <message>
      <source>Y-Axis</source>
      <translation>Y 轴</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Waveform Name:</source>
      <translation>波形名称：</translation>
    </message>
    <message>
      <source>Line Width:</source>
      <translation>线宽：</translation>
    </message>
    <message>
      <source>Line Color:</source>
      <translation>线条颜色：</translation>
    </message>
    <message>
      <source>Interpolation:</source>
      <translation>插值：</translation>
    </message>
    <message>
      <source>Change Color...</source>
      <translation>更改颜色...</translation>
    </message>
    <message>
      <source>Default</source>
      <translation>默认</translation>
    </message>
    <message>
      <source>X Cursor:</source>
      <translation>X 光标：</translation>
    </message>
    <message>
      <source>Y Cursor:</source>
      <translation>Y 光标：</translation>
    </message>
    <message>
      <source>X Color:</source>
      <translation>X 颜色：</translation>
    </message>
    <message>
      <source>Y Color:</source>
      <translation>Y 颜色：</translation>
    </message>
    <message>
      <source>Auto Scale</source>
      <translation>自动缩放</translation>
    </message>
    <message>
      <source>Min:</source>
      <translation>最小值：</translation>
    </message>
    <message>
      <source>Max:</source>
      <translation>最大值：</translation>
    </message>
  </context>
  <context>
    <name>ui_waveform_cursor_sel_t</name>
    <message>
      <source>Selection</source>
      <translation>选区</translation>
    </message>
    <message>
      <source>Start</source>
      <translation>起点</translation>
    </message>
    <message>
      <source>End</source>
      <translation>终点</translation>
    </message>
    <message>
      <source>Deta</source>
      <translation>差值</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>点数</translation>
    </message>
    <message>
      <source>Time</source>
      <translation>时间</translation>
    </message>
    <message>
      <source>Position</source>
      <translation>位置</translation>
    </message>
  </context>
  <context>
    <name>ui_waveform_cursor_t</name>
    <message>
      <source>X Cursors</source>
      <translation>X 光标</translation>
    </message>
    <message>
      <source>Start</source>
      <translation>起点</translation>
    </message>
    <message>
      <source>End</source>
      <translation>终点</translation>
    </message>
    <message>
      <source>Deta</source>
      <translation>差值</translation>
    </message>
    <message>
      <source>Points</source>
      <translation>点数</translation>
    </message>
    <message>
      <source>Time</source>
      <translation>时间</translation>
    </message>
    <message>
      <source>Y Cursors</source>
      <translation>Y 光标</translation>
    </message>
    <message>
      <source>Volte</source>
      <translation>电压</translation>
    </message>
  </context>
  <context>
    <name>ui_waveform_instr_param_t</name>
    <message>
      <source>Amplitude:</source>
      <translation>幅度：</translation>
    </message>
    <message>
      <source>Offset:</source>
      <translation>偏移：</translation>
    </message>
    <message>
      <source>Frequency</source>
      <translation>频率</translation>
    </message>
    <message>
      <source>Phase:</source>
      <translation>相位：</translation>
    </message>
    <message>
      <source>Points:</source>
      <translation>点数：</translation>
    </message>
  </context>
  <context>
    <name>ui_waveform_t</name>
    <message>
      <source>Open</source>
      <translation>打开</translation>
    </message>
    <message>
      <source>Save</source>
      <translation>保存</translation>
    </message>
    <message>
      <source>Close</source>
      <translation>关闭</translation>
    </message>
    <message>
      <source>Cut</source>
      <translation>剪切</translation>
    </message>
    <message>
      <source>Copy</source>
      <translation>复制</translation>
    </message>
    <message>
      <source>Paste</source>
      <translation>粘贴</translation>
    </message>
    <message>
      <source>Select</source>
      <translation>选择</translation>
    </message>
    <message>
      <source>Select |X|</source>
      <translation>选择 |X|</translation>
    </message>
    <message>
      <source>Select All</source>
      <translation>全选</translation>
    </message>
    <message>
      <source>Zoom</source>
      <translation>缩放</translation>
    </message>
    <message>
      <source>Zoom X</source>
      <translation>缩放 X</translation>
    </message>
    <message>
      <source>Zoom Y</source>
      <translation>缩放 Y</translation>
    </message>
    <message>
      <source>Zoom Area</source>
      <translation>区域缩放</translation>
    </message>
    <message>
      <source>Fit to Window</source>
      <translation>适合窗口</translation>
    </message>
    <message>
      <source>Hand draw</source>
      <translation>手绘</translation>
    </message>
    <message>
      <source>Horizontal Line</source>
      <translation>水平线</translation>
    </message>
    <message>
      <source>Vertical Line</source>
      <translation>垂直线</translation>
    </message>
    <message>
      <source>Oblique Line</source>
      <translation>斜线</translation>
    </message>
    <message>
      <source>Point</source>
      <translation>点</translation>
    </message>
    <message>
      <source>Waveform Properties</source>
      <translation>波形属性</translation>
    </message>
    <message>
      <source>Send waveform to AWG</source>
      <translation>发送波形到 AWG</translation>
    </message>
    <message>
      <source>Disable Point Draw</source>
      <translation>禁用点绘制</translation>
    </message>
    <message>
      <source>Select Previous Point</source>
      <translation>选择上一个点</translation>
    </message>
    <message>
      <source>Select Next Point</source>
      <translation>选择下一个点</translation>
    </message>
    <message>
      <source>Delete Selected Point</source>
      <translation>删除选中的点</translation>
    </message>
    <message>
      <source>Edit Points by Table</source>
      <translation>用表格编辑点</translation>
    </message>
    <message>
      <source>Clear All Points</source>
      <translation>清除所有点</translation>
    </message>
    <message>
      <source>Interpolation</source>
      <translation>插值</translation>
    </message>
    <message>
      <source>Linear</source>
      <translation>线性</translation>
    </message>
    <message>
      <source>Smooth</source>
      <translation>平滑</translation>
    </message>
    <message>
      <source>Staircase</source>
      <translation>阶梯</translation>
    </message>
    <message>
      <source>Unknown error occurred!</source>
      <translation>发生未知错误！</translation>
    </message>
    <message>
      <source>Application exceeds the supported data points.</source>
      <translation>超出程序支持的数据点数。</translation>
    </message>
  </context>
  <context>
    <name>ui_window_form_t</name>
    <message>
      <source>Window Function</source>
      <translation>窗函数</translation>
    </message>
    <message>
      <source>Waveform Source</source>
      <translation>波形源</translation>
    </message>
    <message>
      <source>Resultant Waveform</source>
      <translation>结果波形</translation>
    </message>
    <message>
      <source>Parameters</source>
      <translation>参数</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Waveform Source:</source>
      <translation>波形源：</translation>
    </message>
    <message>
      <source>Window Function:</source>
      <translation>窗函数：</translation>
    </message>
    <message>
      <source>Rectangle</source>
      <translation>矩形窗</translation>
    </message>
    <message>
      <source>Triangle</source>
      <translation>三角窗</translation>
    </message>
    <message>
      <source>Hanning</source>
      <translation>汉宁窗</translation>
    </message>
    <message>
      <source>Hamming</source>
      <translation>汉明窗</translation>
    </message>
    <message>
      <source>Blackman</source>
      <translation>布莱克曼窗</translation>
    </message>
    <message>
      <source>Kaiser</source>
      <translation>凯泽窗</translation>
    </message>
    <message>
      <source>BlackmanHarris</source>
      <translation>布莱克曼-哈里斯窗</translation>
    </message>
    <message>
      <source>Gauss</source>
      <translation>高斯窗</translation>
    </message>
    <message>
      <source>Bartlett</source>
      <translation>巴特利特窗</translation>
    </message>
    <message>
      <source>Fall Exp</source>
      <translation>指数衰减窗</translation>
    </message>
    <message>
      <source>FlatTop</source>
      <translation>平顶窗</translation>
    </message>
    <message>
      <source>Force</source>
      <translation>力窗</translation>
    </message>
    <message>
      <source>File creation failed.</source>
      <translation>文件创建失败。</translation>
    </message>
  </context>
  <context>
    <name>ui_wv_property_form_t</name>
    <message>
      <source>Waveform Properties</source>
      <translation>波形属性</translation>
    </message>
    <message>
      <source>Parameters</source>
      <translation>参数</translation>
    </message>
    <message>
      <source>Convert to digital wave</source>
      <translation>转换为数字波形</translation>
    </message>
    <message>
      <source>Waveform Preview</source>
      <translation>波形预览</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>预览</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Point Table</source>
      <translation>点表</translation>
    </message>
    <message>
      <source>Goto</source>
      <translation>转到</translation>
    </message>
    <message>
      <source>Index:</source>
      <translation>索引：</translation>
    </message>
    <message>
      <source>Page:</source>
      <translation>页：</translation>
    </message>
    <message>
      <source>Wave Name:</source>
      <translation>波形名称：</translation>
    </message>
    <message>
      <source>Wave Length:</source>
      <translation>波形长度：</translation>
    </message>
    <message>
      <source>Frequency:</source>
      <translation>频率：</translation>
    </message>
    <message>
      <source>The waveform name is invalid. It can be composed of numbers, letters, underscores and minus signs. The length is 1 ~ 18 and cannot contain spaces.</source>
      <translation>波形名称无效。名称可由数字、字母、下划线和减号组成，长度为 1 ~ 18，且不能包含空格。</translation>
    </message>
    <message>
      <source>Positions</source>
      <translation>位置</translation>
    </message>
    <message>
      <source>Value(V)</source>
      <translation>数值(V)</translation>
    </message>
  </context>
  <context>
    <name>ui_wv_settings_t</name>
    <message>
      <source>New Waveform</source>
      <translation>新建波形</translation>
    </message>
    <message>
      <source>Waveform Properties</source>
      <translation>波形属性</translation>
    </message>
    <message>
      <source>Instrument</source>
      <translation>仪器</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Fixed</source>
      <translation>固定</translation>
    </message>
    <message>
      <source>Variable</source>
      <translation>可变</translation>
    </message>
    <message>
      <source>Waveform Name:</source>
      <translation>波形名称：</translation>
    </message>
    <message>
      <source>Samples:</source>
      <translation>采样点数：</translation>
    </message>
    <message>
      <source>Frequency:</source>
      <translation>频率：</translation>
    </message>
    <message>
      <source>The waveform name is invalid. It can be composed of numbers, letters, underscores and minus signs. The length is 1 ~ 18 and cannot contain spaces.</source>
      <translation>波形名称无效。名称可由数字、字母、下划线和减号组成，长度为 1 ~ 18，且不能包含空格。</translation>
    </message>
  </context>
  <context>
    <name>ui_wvform_repe_t</name>
    <message>
      <source>Waveform Repetitions</source>
      <translation>波形重复</translation>
    </message>
    <message>
      <source>Wave Repetitions:</source>
      <translation>波形重复次数：</translation>
    </message>
    <message>
      <source>Total Samples:</source>
      <translation>总采样点数：</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
  </context>
  <context>
    <name>ui_wvmath_form_t</name>
    <message>
      <source>Waveform Math</source>
      <translation>波形运算</translation>
    </message>
    <message>
      <source>Selected Waveform</source>
      <translation>选中的波形</translation>
    </message>
    <message>
      <source>Waveform Source</source>
      <translation>波形源</translation>
    </message>
    <message>
      <source>Resultant Waveform</source>
      <translation>结果波形</translation>
    </message>
    <message>
      <source>Operation</source>
      <translation>运算</translation>
    </message>
    <message>
      <source>Addition</source>
      <translation>加法</translation>
    </message>
    <message>
      <source>Subtraction</source>
      <translation>减法</translation>
    </message>
    <message>
      <source>Multiplication</source>
      <translation>乘法</translation>
    </message>
    <message>
      <source>Division</source>
      <translation>除法</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>Sine</source>
      <translation>正弦波</translation>
    </message>
    <message>
      <source>Square</source>
      <translation>方波</translation>
    </message>
    <message>
      <source>Pulse</source>
      <translation>脉冲波</translation>
    </message>
    <message>
      <source>Ramp</source>
      <translation>锯齿波</translation>
    </message>
    <message>
      <source>Noise</source>
      <translation>噪声</translation>
    </message>
    <message>
      <source>DC</source>
      <translation>直流</translation>
    </message>
    <message>
      <source>Sinc</source>
      <translation>Sinc 波</translation>
    </message>
    <message>
      <source>Stair Step Up</source>
      <translation>上升阶梯波</translation>
    </message>
    <message>
      <source>Stair Step Down</source>
      <translation>下降阶梯波</translation>
    </message>
    <message>
      <source>Exponential Rise</source>
      <translation>指数上升</translation>
    </message>
    <message>
      <source>Exponential Fall</source>
      <translation>指数下降</translation>
    </message>
    <message>
      <source>Waveform Library:</source>
      <translation>波形库：</translation>
    </message>
    <message>
      <source>Math Data:</source>
      <translation>数值：</translation>
    </message>
    <message>
      <source>Copy from Clipboard</source>
      <translation>从剪贴板复制</translation>
    </message>
    <message>
      <source>The data in the clipboard is too large.</source>
      <translation>剪贴板中的数据太大。</translation>
    </message>
  </context>
</TS>
