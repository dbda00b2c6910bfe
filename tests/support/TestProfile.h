#pragma once

namespace testkit {

// A small profile of our own for the response rules: its fields are known
// exactly. The simulated device keeps the shipped one.
inline const char kTestProfile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<profile>
 <page id="t" name="Тест">
  <command command="+TSTA" description="Plain" polldata="1" setdata="1">
   <parameter type="string" description="S" maxlen="20" defaultvalue="abc"/>
   <parameter type="integer" description="I" minvalue="0" maxvalue="1000" defaultvalue="5"/>
   <parameter type="option" description="O" defaultvalue="1">
    <option value="0" text="zero"/><option value="1" text="one"/><option value="2" text="two"/>
   </parameter>
   <parameter type="string" description="K" overwrite="0" defaultvalue="keep"/>
  </command>
  <command command="+TSTI" description="Rows" polldata="1" setdata="1" maxindex="3">
   <parameter type="integer" description="a" minvalue="0" maxvalue="100" defaultvalue="0"/>
   <parameter type="string" description="b" defaultvalue="-"/>
  </command>
  <command command="+TSTN" description="Needs" polldata="0" setdata="1">
   <parameter type="string" description="n" optional="0" defaultvalue="n"/>
   <parameter type="string" description="m" defaultvalue="m"/>
  </command>
  <command command="+TSTY" description="Always" polldata="0" setdata="1" groupsetdata="1">
   <parameter type="string" description="y" defaultvalue="y"/>
  </command>
  <command command="+TSTG" description="Never" polldata="0" setdata="1" groupsetdata="0">
   <parameter type="string" description="g" defaultvalue="g"/>
  </command>
  <command command="+PWA0" description="m0" polldata="0" setdata="1" passwordmode="admin">
   <parameter type="string" description="x" defaultvalue="1"/>
  </command>
  <command command="+PWA1" description="m1" polldata="0" setdata="1" passwordmode="adminuser">
   <parameter type="string" description="x" defaultvalue="1"/>
  </command>
  <command command="+PWA2" description="m2" polldata="0" setdata="1" passwordmode="useradmin">
   <parameter type="string" description="x" defaultvalue="1"/>
  </command>
  <command command="+PWA3" description="m3" polldata="0" setdata="1" passwordmode="user">
   <parameter type="string" description="x" defaultvalue="1"/>
  </command>
 </page>
</profile>
)";

} // namespace testkit
