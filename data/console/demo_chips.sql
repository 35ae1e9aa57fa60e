-- The register database of a fresh installation: its schema and two invented demonstration
-- chips, one reaching its FIFOs through a FIFO register, one through the nFFS pin.
-- Flags are 0 (false) or any other number (true); addresses are two hexadecimal digits.

CREATE TABLE Chip (
    ChipID INTEGER PRIMARY KEY,
    Name TEXT NOT NULL,
    ProjectNr TEXT,
    TxFifoSize INTEGER NOT NULL DEFAULT 0,
    RxFifoSize INTEGER NOT NULL DEFAULT 0,
    TxFifoAddress TEXT,
    RxFifoAddress TEXT,
    nFFS_control INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Register (
    ChipID INTEGER NOT NULL,
    Address TEXT NOT NULL,
    Name TEXT,
    Description TEXT,
    Databits INTEGER NOT NULL DEFAULT 8,
    TestReg INTEGER NOT NULL DEFAULT 0,
    RFReg INTEGER NOT NULL DEFAULT 0,
    DigitalReg INTEGER NOT NULL DEFAULT 0,
    MiscReg INTEGER NOT NULL DEFAULT 0,
    StatusReg INTEGER NOT NULL DEFAULT 0,
    R INTEGER NOT NULL DEFAULT 1,
    W INTEGER NOT NULL DEFAULT 1,
    bit15 TEXT, bit14 TEXT, bit13 TEXT, bit12 TEXT, bit11 TEXT, bit10 TEXT, bit9 TEXT, bit8 TEXT,
    bit7 TEXT, bit6 TEXT, bit5 TEXT, bit4 TEXT, bit3 TEXT, bit2 TEXT, bit1 TEXT, bit0 TEXT,
    DefaultValue TEXT
);

INSERT INTO Chip VALUES (1, 'DEMO-REG', 'DM-0001', 16, 16, '1F', '1F', 0);
INSERT INTO Chip VALUES (2, 'DEMO-NFFS', 'DM-0002', 8, 8, NULL, NULL, -1);

INSERT INTO Register (ChipID, Address, Name, Description, Databits, TestReg, RFReg, DigitalReg,
    MiscReg, StatusReg, R, W, bit7, bit6, bit5, bit4, bit3, bit2, bit1, bit0, DefaultValue) VALUES
(1, '00', 'CHIP_ID', 'Identification of the demonstration chip (read only).', 8, 0, 0, 0, 1, 0, 1, 0,
    'ID7', 'ID6', 'ID5', 'ID4', 'ID3', 'ID2', 'ID1', 'ID0', '5A'),
(1, '01', 'MODE', 'Operating mode: sleep, standby, transmit, receive.', 8, 0, 0, 1, 0, 0, 1, 1,
    'RST', '-', '-', '-', 'AUTO', 'MD2', 'MD1', 'MD0', '01'),
(1, '02', 'FREQ_HI', 'Carrier frequency, high byte.', 8, 0, 1, 0, 0, 0, 1, 1,
    'F15', 'F14', 'F13', 'F12', 'F11', 'F10', 'F9', 'F8', '21'),
(1, '03', 'FREQ_LO', 'Carrier frequency, low byte.', 8, 0, 1, 0, 0, 0, 1, 1,
    'F7', 'F6', 'F5', 'F4', 'F3', 'F2', 'F1', 'F0', '60'),
(1, '04', 'TX_POWER', 'Output power step, 0 (lowest) to 7.', 8, 0, 1, 0, 0, 0, 1, 1,
    '-', '-', '-', '-', '-', 'PW2', 'PW1', 'PW0', '07'),
(1, '05', 'BIT_RATE', 'Bit rate divider.', 8, 0, 0, 1, 0, 0, 1, 1,
    'BR7', 'BR6', 'BR5', 'BR4', 'BR3', 'BR2', 'BR1', 'BR0', '23'),
(1, '06', 'IRQ_MASK', 'Interrupt sources routed to nIRQ.', 8, 0, 0, 1, 0, 0, 1, 1,
    'TXE', 'RXF', 'RXA', 'LBD', 'WUT', 'POR', '-', '-', '00'),
(1, '07', 'IRQ_FLAGS', 'Pending interrupts, cleared on read.', 8, 0, 0, 1, 0, -1, 1, 0,
    'TXE', 'RXF', 'RXA', 'LBD', 'WUT', 'POR', '-', '-', '04'),
(1, '08', 'TEST_CTRL', 'Test multiplexer; keep at 00 in normal use.', 8, 1, 0, 0, 0, 0, 1, 1,
    'TEN', 'TM6', 'TM5', 'TM4', 'TM3', 'TM2', 'TM1', 'TM0', '00'),
(1, '09', 'SCRATCH', 'Free register for the user.', 8, 0, 0, 0, 1, 0, 1, 1,
    'S7', 'S6', 'S5', 'S4', 'S3', 'S2', 'S1', 'S0', 'A5'),
(1, '0A', 'COMMAND', 'Strobe commands (write only).', 8, 0, 0, 1, 0, 0, 0, 1,
    '-', '-', '-', '-', 'CAL', 'FLT', 'FLR', 'RST', '00'),
(1, '1F', 'FIFO', 'FIFO data: writing fills the TX FIFO, reading empties the RX FIFO.', 8, 0, 0, 1, 0, 0, 1, 1,
    'D7', 'D6', 'D5', 'D4', 'D3', 'D2', 'D1', 'D0', '00'),
(1, '7F', 'TRIM', 'Oscillator trim.', 8, 1, 1, 0, 0, 0, 1, 1,
    'TR7', 'TR6', 'TR5', 'TR4', 'TR3', 'TR2', 'TR1', 'TR0', '80');

INSERT INTO Register (ChipID, Address, Name, Description, Databits, TestReg, RFReg, DigitalReg,
    MiscReg, StatusReg, R, W, bit15, bit14, bit13, bit12, bit11, bit10, bit9, bit8,
    bit7, bit6, bit5, bit4, bit3, bit2, bit1, bit0, DefaultValue) VALUES
(1, '40', 'STATUS', 'Chip status word.', 16, 0, 0, 1, 0, -1, 1, 0,
    'RDY', 'TXE', 'RXF', 'RXA', 'LBD', 'WUT', 'POR', 'ERR',
    'LCK', 'RSI', 'AFC', 'CRC', 'PKT', 'SYN', 'TXA', 'RXA', '8040');

INSERT INTO Register (ChipID, Address, Name, Description, Databits, TestReg, RFReg, DigitalReg,
    MiscReg, StatusReg, R, W, bit7, bit6, bit5, bit4, bit3, bit2, bit1, bit0, DefaultValue) VALUES
(2, '00', 'CHIP_ID', 'Identification of the demonstration chip (read only).', 8, 0, 0, 0, 1, 0, 1, 0,
    'ID7', 'ID6', 'ID5', 'ID4', 'ID3', 'ID2', 'ID1', 'ID0', '3C'),
(2, '01', 'CONTROL', 'Transmitter and receiver enables.', 8, 0, 1, 1, 0, 0, 1, 1,
    'TXE', 'RXE', 'SYN', 'OSC', '-', '-', 'FIE', 'FTE', '00'),
(2, '02', 'CHANNEL', 'Channel number.', 8, 0, 1, 0, 0, 0, 1, 1,
    'C7', 'C6', 'C5', 'C4', 'C3', 'C2', 'C1', 'C0', '10'),
(2, '03', 'FIFO_LEVEL', 'FIFO fill level that raises an interrupt.', 8, 0, 0, 1, 0, 0, 1, 1,
    '-', '-', '-', '-', 'L3', 'L2', 'L1', 'L0', '08'),
(2, '05', 'FLAGS', 'Flags, cleared on read.', 8, 0, 0, 1, 0, -1, 1, 0,
    'FFO', 'FFE', 'FFF', '-', '-', '-', '-', 'POR', '01'),
(2, '0C', 'TEST', 'Test register.', 8, 1, 0, 0, 0, 0, 1, 1,
    'T7', 'T6', 'T5', 'T4', 'T3', 'T2', 'T1', 'T0', '00');

INSERT INTO Register (ChipID, Address, Name, Description, Databits, TestReg, RFReg, DigitalReg,
    MiscReg, StatusReg, R, W, bit15, bit14, bit13, bit12, bit11, bit10, bit9, bit8,
    bit7, bit6, bit5, bit4, bit3, bit2, bit1, bit0, DefaultValue) VALUES
(2, '30', 'STATUS', 'Chip status word.', 16, 0, 0, 1, 0, -1, 1, 0,
    'FFIT', 'POR', 'FFOV', 'WKUP', 'EXT', 'LBD', 'FFEM', 'RSSI',
    'DQD', 'CRL', 'ATGL', 'OFFS', 'OFF3', 'OFF2', 'OFF1', 'OFF0', '4000');
