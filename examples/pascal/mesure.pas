{ Reads analog input 0 and switches logic output 2 on while it is above 0.5 V. }
program mesure;

{$MODE DELPHI}

uses novra3;

var
  volts: Double;
begin
  volts := ead(0);
  WriteLn(nea(0), ' : ', volts:0:3, ' V');
  if volts > 0.5 then
    sb(2, 1)
  else
    sb(2, 0);
  WriteLn(nsb(2), ' : ', rsb(2));
end.
