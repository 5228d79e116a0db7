<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TAllCalibration</name>
    <message>
        <location filename="../common/calibration.cpp" line="339"/>
        <source>UOZ Petrol 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="340"/>
        <source>Angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="341"/>
        <source>RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="342"/>
        <source>UOZ LPG 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="344"/>
        <source>UOZ Petrol 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="346"/>
        <source>UOZ LPG 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="348"/>
        <source>INJ 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="349"/>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="350"/>
        <source>INJ 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="355"/>
        <source>UOZ Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="357"/>
        <source>UOZ Iddle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="359"/>
        <source>UOZ Accumulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="360"/>
        <source>Volts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="361"/>
        <source>UOZ Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="362"/>
        <source>Temp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="363"/>
        <source>UOZ Knock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="364"/>
        <source>Knock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="365"/>
        <source>INJ Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="367"/>
        <source>INJ Iddle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="369"/>
        <source>INJ Temperature</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TCalibrationFiles</name>
    <message>
        <location filename="../common/calibrationfiles.cpp" line="74"/>
        <source>Wrong version file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibrationfiles.cpp" line="77"/>
        <source>Wrong file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibrationfiles.cpp" line="80"/>
        <source>The file is damaged: it ends before all of its data. Only its complete parts were loaded; everything else is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TCalibrationTransfer</name>
    <message>
        <location filename="../common/calibrationtransfer.cpp" line="107"/>
        <source>map %1, flow %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibrationtransfer.cpp" line="111"/>
        <location filename="../common/calibrationtransfer.cpp" line="164"/>
        <location filename="../common/calibrationtransfer.cpp" line="187"/>
        <source>table %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibrationtransfer.cpp" line="150"/>
        <location filename="../common/calibrationtransfer.cpp" line="180"/>
        <source>map %1, flows %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TDataM</name>
    <message>
        <location filename="../workbench/datam.cpp" line="46"/>
        <source>Dashboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/datam.cpp" line="47"/>
        <source>Logging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/datam.cpp" line="48"/>
        <source>Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/datam.cpp" line="49"/>
        <source>Graphic calibrations</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TLoadUOZ</name>
    <message>
        <location filename="../manager/loaduoz.ui" line="5"/>
        <location filename="../manager/loaduoz.cpp" line="157"/>
        <location filename="../manager/loaduoz.cpp" line="168"/>
        <source>Load calibrations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="9"/>
        <source>Select loaded data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="19"/>
        <source>Calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="33"/>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="34"/>
        <source>Unselect all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="37"/>
        <source>Copy in calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="43"/>
        <source>Start calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="44"/>
        <source>Iddle calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="45"/>
        <source>Temperature correction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="46"/>
        <source>Time accumulation igniton coil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="47"/>
        <source>Knock calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="48"/>
        <source>Time injection on start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="49"/>
        <source>Correction iddle on temperature </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="50"/>
        <source>Correction time injection on temperature </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="51"/>
        <source>Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="59"/>
        <source>Load selected data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.cpp" line="19"/>
        <source>Flow №%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMain</name>
    <message>
        <location filename="../manager/mainwindow.ui" line="6"/>
        <source>Manager Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="29"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="32"/>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="35"/>
        <location filename="../manager/mainwindow.ui" line="52"/>
        <location filename="../manager/mainwindow.ui" line="105"/>
        <location filename="../manager/mainwindow.ui" line="116"/>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="43"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="46"/>
        <source>Ctrl+D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="60"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="71"/>
        <source>Read calibrate from Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="74"/>
        <source>Ctrl+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="77"/>
        <location filename="../manager/mainwindow.ui" line="91"/>
        <location filename="../manager/mainwindow.ui" line="130"/>
        <location filename="../manager/mainwindow.ui" line="144"/>
        <location filename="../manager/mainwindow.ui" line="194"/>
        <location filename="../manager/mainwindow.ui" line="208"/>
        <location filename="../manager/mainwindow.ui" line="219"/>
        <source>Load/Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="85"/>
        <source>Write calibrate to Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="88"/>
        <source>Ctrl+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="99"/>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="102"/>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="113"/>
        <location filename="../manager/mainwindow.cpp" line="355"/>
        <source>Write Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="124"/>
        <source>Read Parameters from Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="127"/>
        <source>Ctrl+Alt+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="138"/>
        <source>Write Parameters to Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="141"/>
        <source>Ctrl+Alt+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="152"/>
        <source>Paramerets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="155"/>
        <source>Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="158"/>
        <source>Work</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="166"/>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="169"/>
        <location filename="../manager/mainwindow.ui" line="180"/>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="177"/>
        <source>Debug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="188"/>
        <location filename="../manager/mainwindow.cpp" line="517"/>
        <location filename="../manager/mainwindow.cpp" line="525"/>
        <location filename="../manager/mainwindow.cpp" line="530"/>
        <source>Load file calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="191"/>
        <source>Ctrl+L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="202"/>
        <location filename="../manager/mainwindow.cpp" line="497"/>
        <location filename="../manager/mainwindow.cpp" line="506"/>
        <source>Save file calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="205"/>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="216"/>
        <source>Online repozitory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="166"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="235"/>
        <location filename="../manager/mainwindow.cpp" line="278"/>
        <location filename="../manager/mainwindow.cpp" line="323"/>
        <location filename="../manager/mainwindow.cpp" line="612"/>
        <source>Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="235"/>
        <location filename="../manager/mainwindow.cpp" line="278"/>
        <location filename="../manager/mainwindow.cpp" line="368"/>
        <source>Connection error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="279"/>
        <source>The polling of live data did not pause; nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="348"/>
        <location filename="../manager/mainwindow.cpp" line="350"/>
        <location filename="../manager/mainwindow.cpp" line="367"/>
        <location filename="../manager/mainwindow.cpp" line="381"/>
        <location filename="../manager/mainwindow.cpp" line="386"/>
        <location filename="../manager/mainwindow.cpp" line="623"/>
        <source>Attention!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="349"/>
        <source>All calibration parameters Zolt will be cleared. Save data from a Zolt in the file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="351"/>
        <source>Nothing was written. Connect, read the calibrations and the parameters from Zolt and save them in a file, then write the firmware.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="355"/>
        <source>Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="368"/>
        <location filename="../manager/mainwindow.cpp" line="381"/>
        <source>Failed to load firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="386"/>
        <source>Firmware is loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="416"/>
        <location filename="../manager/mainwindow.cpp" line="435"/>
        <location filename="../manager/mainwindow.cpp" line="438"/>
        <location filename="../manager/mainwindow.cpp" line="447"/>
        <location filename="../manager/mainwindow.cpp" line="451"/>
        <location filename="../manager/mainwindow.cpp" line="475"/>
        <location filename="../manager/mainwindow.cpp" line="480"/>
        <location filename="../manager/mainwindow.cpp" line="486"/>
        <location filename="../manager/mainwindow.cpp" line="544"/>
        <location filename="../manager/mainwindow.cpp" line="560"/>
        <location filename="../manager/mainwindow.cpp" line="562"/>
        <location filename="../manager/mainwindow.cpp" line="573"/>
        <location filename="../manager/mainwindow.cpp" line="589"/>
        <location filename="../manager/mainwindow.cpp" line="591"/>
        <location filename="../manager/mainwindow.cpp" line="596"/>
        <source>Attention.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="416"/>
        <source>You are sure to load calibrations from Zolt?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="435"/>
        <source>Reading the calibrations was cancelled. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="438"/>
        <source>The ECU stopped answering. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="439"/>
        <source>No answer for %1. Check the cable and the ECU&apos;s power, then read again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="447"/>
        <source>You are sure to write calibrations to Zolt?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="451"/>
        <source>The ECU does not answer. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="476"/>
        <source>The check of the written calibrations was cancelled; they were written but not checked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="477"/>
        <source>Writing the calibrations was cancelled. The ECU may hold a partial write: write the calibrations again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="481"/>
        <source>The ECU stopped answering while the written calibrations were checked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="482"/>
        <source>The ECU stopped answering. The ECU may hold a partial write: write the calibrations again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="484"/>
        <source>No answer for %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="487"/>
        <source>The ECU holds other values than were written. Write the calibrations again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="488"/>
        <source>First difference: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="498"/>
        <location filename="../manager/mainwindow.cpp" line="516"/>
        <source>Commercial version Zolt 2.x </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="506"/>
        <source>The calibration file was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="514"/>
        <source>Free version Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="515"/>
        <source>Commercial version Zolt 1.x </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="544"/>
        <source>You are sure to read parameters from Zolt?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="560"/>
        <source>Parameters read successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="563"/>
        <source>The parameters were not read: the ECU did not answer for the %1 block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="564"/>
        <location filename="../manager/mainwindow.cpp" line="593"/>
        <source>extra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="564"/>
        <location filename="../manager/mainwindow.cpp" line="593"/>
        <source>main</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="565"/>
        <source>The parameters in the program are as they were; nothing was changed on the ECU.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="573"/>
        <source>You are sure to write parameters to Zolt?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="589"/>
        <source>Parameters write successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="592"/>
        <source>The parameters were not written: the ECU did not answer for the %1 block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="594"/>
        <source>The ECU may hold a partial write: write the parameters again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="597"/>
        <source>The ECU holds other parameters than were written. Write the parameters again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="598"/>
        <source>The parameters were written but could not be read back to check them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="612"/>
        <source>The settings were not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="613"/>
        <source>%1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="623"/>
        <source>Close program?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TOnline</name>
    <message>
        <location filename="../workbench/online.ui" line="7"/>
        <source>Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="70"/>
        <source>Work mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="76"/>
        <source>Test mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="82"/>
        <source>Active table:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="102"/>
        <source>AUX out:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="110"/>
        <source>Limit RPM:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="118"/>
        <source>Carburator:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="126"/>
        <source>Econom iddle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="134"/>
        <source>Limit angle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="142"/>
        <source>MAP error:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="150"/>
        <source>Error WDT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="158"/>
        <source>Error sincro:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="16"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="16"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="17"/>
        <source>Iddle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="17"/>
        <source>Work</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="19"/>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="19"/>
        <source>Start angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="20"/>
        <source>Forced angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="20"/>
        <source>Test cylinders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="21"/>
        <source>Auto oscillations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="21"/>
        <source>Spark dryer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="22"/>
        <source>Analyzer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="22"/>
        <source>Generator info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="35"/>
        <source>RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="36"/>
        <source>Angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="37"/>
        <source>Flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="38"/>
        <source>Lambda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="38"/>
        <source>AFR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="39"/>
        <source>Time inj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="39"/>
        <source>ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="40"/>
        <source>Temp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="40"/>
        <location filename="../workbench/online.cpp" line="42"/>
        <source>C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="41"/>
        <source>Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="41"/>
        <source>V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="42"/>
        <source>Temp air</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="132"/>
        <source>Work mode: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="133"/>
        <source>Test mode: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="135"/>
        <source>Active table: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TPlugInMan</name>
    <message>
        <location filename="../manager/pluginman.cpp" line="109"/>
        <source>Work</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TSettings</name>
    <message>
        <location filename="../manager/settingsdialog.ui" line="6"/>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="11"/>
        <location filename="../manager/settingsdialog.cpp" line="49"/>
        <source>Directory for extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="31"/>
        <source>COM port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="40"/>
        <source>Auto connect after start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="45"/>
        <source>Interface language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="56"/>
        <source>Fast write calibrations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="62"/>
        <source>Lambda AFR correction</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
